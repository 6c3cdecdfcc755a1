#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QTcpSocket;

namespace lumaro::proxy {

// The connections to servers kept open between requests, as a browser keeps
// them: one is reused only for the same host and port, and only when idle;
// at most six are open to one server, and a request waits for one of them
// (the engine opens many more to a proxy than to a server, each of which
// would cost the server's round trip). Lives on the proxy's thread.
class UpstreamPool : public QObject {
public:
    static UpstreamPool& Here();  // the pool of the calling (the proxy's) thread

    // Hands `waiter` an idle connection to host:port, or a new one on its way
    // (`reused` tells which), now or once one is free; nothing when the waiter
    // is gone by then. The waiter owns it until it gives it back.
    using Ready = std::function<void(QTcpSocket* socket, bool reused)>;
    void Take(const QByteArray& host, quint16 port, QObject* waiter, Ready ready);
    // A connection whose last answer is complete and that may carry another.
    void GiveBack(const QByteArray& host, quint16 port, QTcpSocket* socket);
    // A connection of its own, outside the count (a tunnel holds it for long).
    static QTcpSocket* Open(const QByteArray& host, quint16 port);
    // Closes every idle connection (the proxy stops).
    void Clear();

    static constexpr int kPerServer = 6;

private:
    struct Waiter {
        QPointer<QObject> who;
        Ready ready;
    };
    static QByteArray Key(const QByteArray& host, quint16 port);
    void Drop(QTcpSocket* socket);
    void Count(QTcpSocket* socket, const QByteArray& host, quint16 port);
    void Serve(const QByteArray& host, quint16 port);

    QHash<QByteArray, QList<QTcpSocket*>> idle_;
    QHash<QByteArray, int> open_;  // idle, busy and on their way
    QHash<QByteArray, QList<Waiter>> waiting_;
};

// Sets a socket up as the proxy's sockets are: no delay (a relay has nothing
// to gather) and a small read buffer, so a side that does not take what it is
// sent stops the other side rather than filling the program's memory.
void ConfigureRelaySocket(QTcpSocket* socket);

inline constexpr qint64 kChunk = 16 * 1024;   // read at a time
inline constexpr qint64 kWindow = 64 * 1024;  // at most this much waits for a side to take it

}  // namespace lumaro::proxy
