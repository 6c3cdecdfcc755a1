#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How the engine's requests are sent to the proxy.
namespace lumaro::proxy {

enum class Route {
    // A proxy auto-config script, served by the proxy itself and built when the
    // engine fetches it, names the layer's hosts: only their plain http (and
    // WebSockets) pass the proxy, every other host is reached directly.
    LayerHostsOnly,
    // Every plain http request passes the proxy (falling back to a direct
    // connection when it is gone). For layer hosts on this machine, which the
    // engine never lets an auto-config script send anywhere but directly, and
    // while no server is configured (it may be any host once it is).
    AllPlainHttp,
};

// The route for the layer's origins known when the engine starts: `server`
// is the agency server's address ("" for none yet; its host when looked up).
Route RouteFor(const QStringList& origins, const QString& serverHost);
bool IsLocalHost(const QString& host);  // loopback or link-local, by name or address

// The engine's switches for that route to the proxy at `port`.
QByteArray EngineFlags(Route route, quint16 port);

// The auto-config script at the proxy's address.
QByteArray PacPath();
QByteArray PacScript();
// Whether the script the engine fetched names this origin (true before it fetched one:
// it is built when fetched).
bool PacNames(const QString& origin);

}  // namespace lumaro::proxy
