#include "shell/browser/compat/LayerOrigins.h"

namespace lumaro::origins {
namespace {

int DefaultPort(const QString& scheme) { return scheme == QLatin1String("https") ? 443 : 80; }

}  // namespace

QString Of(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) return {};
    // The browser compares the ASCII form; QUrl shows many IDN hosts in Unicode.
    const QString host = url.host(QUrl::EncodeUnicode).toLower();
    if (host.isEmpty()) return {};
    const int port = url.port(DefaultPort(scheme));
    QString origin = scheme + QStringLiteral("://") + (host.contains(u':') ? u'[' + host + u']' : host);
    if (port != DefaultPort(scheme)) origin += u':' + QString::number(port);
    return origin;
}

QStringList FromEntry(const QString& entry) {
    const QString text = entry.trimmed();
    if (text.isEmpty()) return {};
    if (text.contains(QLatin1String("://"))) {
        const QString origin = Of(QUrl(text, QUrl::StrictMode));
        // Only an origin: a path or a query would be a different promise than this setting makes.
        const QUrl url(text, QUrl::StrictMode);
        if (origin.isEmpty() || !url.userInfo().isEmpty() || url.hasQuery() || (url.path() != u'/' && !url.path().isEmpty()))
            return {};
        return {origin};
    }
    QStringList result;
    for (const char* scheme : {"http", "https"}) {
        const QUrl url(QLatin1String(scheme) + QStringLiteral("://") + text + u'/', QUrl::StrictMode);
        const QString origin = Of(url);
        if (origin.isEmpty() || url.path() != u'/' || !url.userInfo().isEmpty() || url.hasQuery()) return {};
        result << origin;
    }
    return result;
}

}  // namespace lumaro::origins
