#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>

class QTcpSocket;

namespace lumaro::proxy {

// The connections to servers kept open between requests, as a browser keeps
// them: one is reused only for the same host and port, and only when idle.
// Lives on the proxy's thread.
class UpstreamPool : public QObject {
public:
    static UpstreamPool& Here();  // the pool of the calling (the proxy's) thread

    // An idle connection to host:port, or a new one on its way; `reused`
    // tells which. The caller owns it until it gives it back.
    QTcpSocket* Take(const QByteArray& host, quint16 port, bool* reused);
    // A connection whose last answer is complete and that may carry another.
    void GiveBack(const QByteArray& host, quint16 port, QTcpSocket* socket);
    // Closes every idle connection (the proxy stops).
    void Clear();

    static constexpr int kIdlePerServer = 6;

private:
    static QByteArray Key(const QByteArray& host, quint16 port);
    void Drop(QTcpSocket* socket);

    QHash<QByteArray, QList<QTcpSocket*>> idle_;
};

// Sets a socket up as the proxy's sockets are: no delay (a relay has nothing
// to gather) and a small read buffer, so a side that does not take what it is
// sent stops the other side rather than filling the program's memory.
void ConfigureRelaySocket(QTcpSocket* socket);

inline constexpr qint64 kChunk = 16 * 1024;   // read at a time
inline constexpr qint64 kWindow = 64 * 1024;  // at most this much waits for a side to take it

}  // namespace lumaro::proxy
