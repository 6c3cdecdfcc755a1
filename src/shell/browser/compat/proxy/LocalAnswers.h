#pragma once

#include <QByteArray>
#include <QString>

// The answers the proxy gives itself rather than a server's.
namespace lumaro::proxy::local {

// A whole answer, the connection closed after it.
QByteArray Answer(int status, const QByteArray& reason, const QByteArray& type, const QByteArray& body);
// "无法访问此网站": the server at `authority` could not be reached, and why.
QByteArray Unreachable(const QByteArray& authority, const QString& cause);
// A request the proxy does not carry (a target it does not serve, a bad head).
QByteArray Refused(int status, const QByteArray& reason);

}  // namespace lumaro::proxy::local
