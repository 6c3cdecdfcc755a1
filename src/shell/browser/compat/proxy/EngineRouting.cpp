#include "shell/browser/compat/proxy/EngineRouting.h"

#include <QHostAddress>
#include <QMutex>
#include <QUrl>

#include "shell/browser/compat/proxy/ProxyState.h"

namespace lumaro::proxy {
namespace {

struct RoutingState {
    QMutex mutex;
    quint16 port = 0;
    QStringList named;  // the origins of the script last fetched
    bool fetched = false;
};

RoutingState& State() {
    static RoutingState state;
    return state;
}

// "host:port" as the script compares it: the host the engine passes (IPv6
// without brackets), the port always written.
QString Key(const QString& origin) {
    const QUrl url(origin);
    QString host = url.host(QUrl::EncodeUnicode).toLower();
    return host + u':' + QString::number(url.port(80));
}

}  // namespace

bool IsLocalHost(const QString& host) {
    const QString name = host.toLower();
    if (name == QLatin1String("localhost") || name.endsWith(QLatin1String(".localhost"))) return true;
    QHostAddress address(name.startsWith(u'[') ? name.mid(1, name.size() - 2) : name);
    if (address.isNull()) return false;
    if (address.isLoopback() || address.isLinkLocal()) return true;
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return mapped && (QHostAddress(v4).isLoopback() || QHostAddress(v4).isLinkLocal());
}

Route RouteFor(const QStringList& origins, const QString& serverHost) {
    if (serverHost.isEmpty() || IsLocalHost(serverHost)) return Route::AllPlainHttp;
    for (const QString& origin : origins)
        if (origin.startsWith(QLatin1String("http://")) && IsLocalHost(QUrl(origin).host())) return Route::AllPlainHttp;
    return Route::LayerHostsOnly;
}

QByteArray EngineFlags(Route route, quint16 port) {
    {
        QMutexLocker lock(&State().mutex);
        State().port = port;
    }
    const QByteArray proxy = "127.0.0.1:" + QByteArray::number(port);
    if (route == Route::LayerHostsOnly) return " --proxy-pac-url=http://" + proxy + PacPath();
    // Loopback included (the demo and many desks run there); direct when the proxy is gone.
    return " --proxy-server=http=" + proxy + ",direct:// --proxy-bypass-list=<-loopback>";
}

QByteArray PacPath() { return "/lumaro.pac"; }

QByteArray PacScript() {
    const QStringList origins = Origins();
    QStringList keys;
    for (const QString& origin : origins) keys << u'"' + Key(origin) + u'"';
    quint16 port;
    {
        QMutexLocker lock(&State().mutex);
        State().named = origins;
        State().fetched = true;
        port = State().port;
    }
    // ws:// goes as http:// does: a WebSocket of the layer's pages is a CONNECT to the proxy.
    return QStringLiteral(
               "var layer = [%1];\n"
               "function FindProxyForURL(url, host) {\n"
               "  var m = /^(?:http|ws):\\/\\/(?:[^\\/@]*@)?(\\[[^\\]]*\\]|[^\\/:?#]*)(?::(\\d+))?/i.exec(url);\n"
               "  if (!m) return \"DIRECT\";\n"
               "  var key = host.toLowerCase().replace(/^\\[|\\]$/g, \"\") + \":\" + (m[2] || \"80\");\n"
               "  for (var i = 0; i < layer.length; i++)\n"
               "    if (layer[i] == key) return \"PROXY 127.0.0.1:%2; DIRECT\";\n"
               "  return \"DIRECT\";\n"
               "}\n")
        .arg(keys.join(u','))
        .arg(port)
        .toUtf8();
}

bool PacNames(const QString& origin) {
    QMutexLocker lock(&State().mutex);
    return !State().fetched || State().named.contains(origin);
}

}  // namespace lumaro::proxy
