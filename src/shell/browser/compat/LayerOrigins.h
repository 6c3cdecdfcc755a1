#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace lumaro::origins {

// An origin as the browser writes it (location.origin): the scheme, the host
// in its ASCII form (xn-- for a name in Chinese, [..] for IPv6) and the port
// unless it is the scheme's default. Empty for what is not an http or https
// address with a host.
QString Of(const QUrl& url);

// The origins one entry of IECompatHosts names: "host" means http and https on
// their default ports, "host:port" both schemes on that port, and
// "http://host:port" just that origin. Empty for an entry that is no host.
QStringList FromEntry(const QString& entry);

}  // namespace lumaro::origins
