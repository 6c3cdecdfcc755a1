#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "shell/browser/compat/proxy/AnswerShaper.h"
#include "shell/browser/compat/proxy/HttpMessage.h"

class QTcpSocket;

namespace lumaro::proxy {

// One connection of the browser to the proxy, kept open across requests: each
// request goes to a connection to its server (reused when one is idle) and its
// answer comes back, both at the pace the other side takes them; a CONNECT
// to one of the layer's origins becomes a tunnel (a WebSocket). Requests are
// taken one at a time (no pipelining).
class ProxyExchange : public QObject {
public:
    explicit ProxyExchange(QTcpSocket* browser);
    ~ProxyExchange() override;

    // Waiting for a request's head: on a new connection or between requests.
    bool WaitingForHead() const { return stage_ == Stage::Head; }
    void End();  // drops the connection at once

private:
    enum class Stage { Head, Request, Tunnel, Closing };

    void FromBrowser();
    void BrowserGone();
    void FromServer();
    void RequestHead(Head&& head);
    void RequestBody(const char* data, size_t size);
    void RequestComplete();
    void AnswerHead(Head&& head);
    void AnswerComplete();
    void OpenServer(const QByteArray& host, quint16 port);
    void Attach(QTcpSocket* socket, bool reused);
    void ServerConnected();
    void ServerClosed();
    void ServerFailed();
    void SendUp(const QByteArray& bytes);
    void AbortServer();
    void Answer(const QByteArray& whole);  // a local answer, then the connection ends
    void Pump(QTcpSocket* from, QTcpSocket* to);
    void StartWaiting();
    bool Retry();

    QTcpSocket* browser_;
    QPointer<QTcpSocket> server_;
    MessageReader request_, answer_;
    AnswerShaper shaper_;
    Stage stage_ = Stage::Head;
    QTimer headTimer_;

    // The exchange under way.
    QByteArray host_, authority_;
    quint16 port_ = 0;
    QString url_;
    bool layer_ = false, headRequest_ = false, browserHttp10_ = false, browserCloses_ = false;
    bool requestChunked_ = false, requestDone_ = false, connect_ = false;
    bool reused_ = false, connected_ = false, answerStarted_ = false, serverEnded_ = false, retried_ = false;
    bool interim_ = false;
    QByteArray replay_;  // what was sent up, while small enough to send again on a fresh connection
    bool replayable_ = true;
    QByteArray fromBrowser_, fromServer_;  // read but not yet parsed
    QByteArray waitingUp_;  // for the server, while no connection to it is free
    bool ended_ = false, draining_ = false;
    qint64 drained_ = 0;
};

}  // namespace lumaro::proxy
