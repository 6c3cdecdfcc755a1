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

QTcpSocket* UpstreamPool::Take(const QByteArray& host, quint16 port, bool* reused) {
    QList<QTcpSocket*>& idle = idle_[Key(host, port)];
    while (!idle.isEmpty()) {
        QTcpSocket* socket = idle.takeLast();  // the most recently used is the least likely closed
        socket->disconnect(this);
        delete socket->findChild<QTimer*>(kIdleTimer, Qt::FindDirectChildrenOnly);
        if (socket->state() == QAbstractSocket::ConnectedState && !socket->bytesAvailable()) {
            socket->setParent(nullptr);
            *reused = true;
            return socket;
        }
        socket->deleteLater();
    }
    *reused = false;
    auto* socket = new QTcpSocket;
    socket->setProxy(QNetworkProxy::NoProxy);
    ConfigureRelaySocket(socket);
    const auto [address, toPort] = Resolve(QString::fromLatin1(host), port);
    socket->connectToHost(address, toPort);
    return socket;
}

void UpstreamPool::GiveBack(const QByteArray& host, quint16 port, QTcpSocket* socket) {
    socket->disconnect();
    QList<QTcpSocket*>& idle = idle_[Key(host, port)];
    if (idle.size() >= kIdlePerServer || socket->state() != QAbstractSocket::ConnectedState) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    socket->setParent(this);
    idle.append(socket);
    // An idle connection that the server closes, or that says anything, is done.
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Drop(socket); });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Drop(socket); });
    auto* timer = new QTimer(socket);
    timer->setObjectName(kIdleTimer);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, socket] { Drop(socket); });
    timer->start(kIdleTime);
}

void UpstreamPool::Drop(QTcpSocket* socket) {
    for (QList<QTcpSocket*>& idle : idle_) idle.removeAll(socket);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void UpstreamPool::Clear() {
    for (const QList<QTcpSocket*>& idle : std::as_const(idle_))
        for (QTcpSocket* socket : idle) {
            socket->disconnect(this);
            socket->abort();
            socket->deleteLater();
        }
    idle_.clear();
}

}  // namespace lumaro::proxy
