#include "shell/browser/compat/proxy/UpstreamPool.h"

#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

#include "shell/browser/compat/proxy/ProxyState.h"

namespace lumaro::proxy {
namespace {

// Servers close idle connections after a few seconds to a minute; one the
// pool keeps longer only waits to be found closed.
constexpr auto kIdleTime = std::chrono::seconds(60);
const QString kIdleTimer = QStringLiteral("idleTimer");  // the socket has timers of its own

}  // namespace

void ConfigureRelaySocket(QTcpSocket* socket) {
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket->setReadBufferSize(kWindow);
}

UpstreamPool& UpstreamPool::Here() {
    static thread_local UpstreamPool* pool = new UpstreamPool;
    return *pool;
}

QByteArray UpstreamPool::Key(const QByteArray& host, quint16 port) {
    return host.toLower() + ':' + QByteArray::number(port);
}

QTcpSocket* UpstreamPool::Open(const QByteArray& host, quint16 port) {
    auto* socket = new QTcpSocket;
    socket->setProxy(QNetworkProxy::NoProxy);
    ConfigureRelaySocket(socket);
    const auto [address, toPort] = Resolve(QString::fromLatin1(host), port);
    socket->connectToHost(address, toPort);
    return socket;
}

void UpstreamPool::Take(const QByteArray& host, quint16 port, QObject* waiter, Ready ready) {
    waiting_[Key(host, port)].append({waiter, std::move(ready)});
    Serve(host, port);
}

// The waiters of a server get its idle connections, then new ones while fewer than kPerServer are open.
void UpstreamPool::Serve(const QByteArray& host, quint16 port) {
    const QByteArray key = Key(host, port);
    QList<Waiter>& waiting = waiting_[key];
    QList<QTcpSocket*>& idle = idle_[key];
    while (!waiting.isEmpty()) {
        if (!waiting.first().who) {
            waiting.removeFirst();
            continue;
        }
        QTcpSocket* socket = nullptr;
        bool reused = false;
        while (!idle.isEmpty() && !socket) {
            QTcpSocket* candidate = idle.takeLast();  // the most recently used is the least likely closed
            candidate->disconnect(this);
            Count(candidate, host, port);
            delete candidate->findChild<QTimer*>(kIdleTimer, Qt::FindDirectChildrenOnly);
            if (candidate->state() == QAbstractSocket::ConnectedState && !candidate->bytesAvailable()) socket = candidate;
            else candidate->deleteLater();
            reused = socket != nullptr;
        }
        if (!socket) {
            if (open_.value(key) >= kPerServer) return;  // one comes back or closes first
            socket = Open(host, port);
            ++open_[key];
            Count(socket, host, port);
        }
        const Waiter waiter = waiting.takeFirst();
        socket->setParent(nullptr);
        waiter.ready(socket, reused);
    }
}

void UpstreamPool::GiveBack(const QByteArray& host, quint16 port, QTcpSocket* socket) {
    socket->disconnect();
    Count(socket, host, port);
    QList<QTcpSocket*>& idle = idle_[Key(host, port)];
    if (idle.size() >= kPerServer || socket->state() != QAbstractSocket::ConnectedState) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    socket->setParent(this);
    idle.append(socket);
    // An idle connection that the server closes, or that says anything, is done.
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Drop(socket); }, Qt::QueuedConnection);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Drop(socket); }, Qt::QueuedConnection);
    auto* timer = new QTimer(socket);
    timer->setObjectName(kIdleTimer);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, socket] { Drop(socket); });
    timer->start(kIdleTime);
    Serve(host, port);
}

// The count of a server's open connections follows each one to its end, whoever ends it.
void UpstreamPool::Count(QTcpSocket* socket, const QByteArray& host, quint16 port) {
    connect(socket, &QObject::destroyed, this, [this, host, port] {
        --open_[Key(host, port)];
        Serve(host, port);
    });
}

void UpstreamPool::Drop(QTcpSocket* socket) {
    bool idle = false;
    for (QList<QTcpSocket*>& list : idle_) idle = list.removeAll(socket) > 0 || idle;
    if (!idle) return;  // taken meanwhile
    socket->abort();
    socket->deleteLater();
}

void UpstreamPool::Clear() {
    for (const QList<QTcpSocket*>& idle : std::as_const(idle_))
        for (QTcpSocket* socket : idle) {
            socket->abort();
            socket->deleteLater();
        }
    idle_.clear();
}

}  // namespace lumaro::proxy
