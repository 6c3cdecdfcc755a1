#include "shell/browser/compat/proxy/ProxyListener.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <atomic>

#include "platform/Sockets.h"
#include "shell/browser/compat/proxy/ProxyExchange.h"
#include "shell/browser/compat/proxy/ProxyState.h"
#include "shell/browser/compat/proxy/UpstreamPool.h"

namespace lumaro::proxy::listener {
namespace {

struct ListenerState {
    QThread* thread = nullptr;
    QPointer<QTcpServer> server;
    std::atomic<bool> listening{false};
};

ListenerState& State() {
    static ListenerState state;
    return state;
}

bool FromThisProcess(const QTcpSocket* socket) {
    const bool v6 = socket->peerAddress().protocol() == QAbstractSocket::IPv6Protocol;
    return platform::LoopbackPeerIsThisProcess(socket->localPort(), socket->peerPort(), v6);
}

void Admit(QTcpServer* server, QTcpSocket* socket) {
    if (!FromThisProcess(socket)) {
        socket->abort();  // nothing answered, nothing relayed
        socket->deleteLater();
        return;
    }
    (new ProxyExchange(socket))->setParent(server);
    // The exchanges are the server's children, the oldest first.
    QList<ProxyExchange*> waiting;
    for (QObject* child : server->children())
        if (auto* exchange = dynamic_cast<ProxyExchange*>(child); exchange && exchange->WaitingForHead())
            waiting << exchange;
    if (waiting.size() > RequestLimits().unfinished) waiting.first()->End();
}

}  // namespace

quint16 Start() {
    ListenerState& s = State();
    if (s.thread) return s.server ? s.server->serverPort() : 0;
    s.thread = new QThread;
    s.thread->setObjectName(QStringLiteral("CharsetProxy"));
    s.thread->start();
    auto* server = new QTcpServer;
    server->moveToThread(s.thread);
    s.server = server;
    quint16 port = 0;
    QMetaObject::invokeMethod(server, [server, &port] {
        QObject::connect(server, &QTcpServer::newConnection, server, [server] {
            while (QTcpSocket* socket = server->nextPendingConnection()) {
                socket->setParent(nullptr);
                Admit(server, socket);
            }
        });
        if (server->listen(QHostAddress::LocalHost)) port = server->serverPort();
    }, Qt::BlockingQueuedConnection);
    s.listening = port != 0;
    // The thread ends with the application, before the statics it uses go.
    qAddPostRoutine([] {
        State().thread->quit();
        State().thread->wait(2000);
    });
    return port;
}

bool Listening() { return State().listening; }

void Stop() {
    ListenerState& s = State();
    if (!s.server) return;
    s.listening = false;
    QMetaObject::invokeMethod(s.server, [server = s.server.data()] {
        server->close();
        for (QObject* child : server->children())
            if (auto* exchange = dynamic_cast<ProxyExchange*>(child)) exchange->End();
        UpstreamPool::Here().Clear();
    }, Qt::BlockingQueuedConnection);
}

}  // namespace lumaro::proxy::listener
