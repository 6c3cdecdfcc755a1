#include "shell/browser/compat/proxy/ProxyExchange.h"

#include <QTcpSocket>

#include "shell/browser/compat/proxy/EngineRouting.h"
#include "shell/browser/compat/proxy/LocalAnswers.h"
#include "shell/browser/compat/proxy/ProxyState.h"
#include "shell/browser/compat/proxy/UpstreamPool.h"

namespace lumaro::proxy {
namespace {

bool Room(const QTcpSocket* to) { return to->bytesToWrite() < kWindow; }

// What a dropped request's answer may still take to be read to its end.
constexpr qint64 kDrainLimit = 256 * 1024;
constexpr auto kDrainTime = std::chrono::seconds(10);

// host and port of "host[:port]" ("[v6]:port" too); port 0 when it is no number.
QPair<QByteArray, quint16> SplitAuthority(const QByteArray& authority, quint16 defaultPort) {
    const qsizetype colon = authority.lastIndexOf(':');
    const bool hasPort = colon > 0 && !authority.endsWith(']');
    QByteArray host = hasPort ? authority.left(colon) : authority;
    const quint16 port = hasPort ? authority.mid(colon + 1).toUShort() : defaultPort;
    if (host.startsWith('[') && host.endsWith(']')) host = host.mid(1, host.size() - 2);
    return {host.toLower(), port};
}

QString Cause(QAbstractSocket::SocketError error, const QString& text) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return QStringLiteral("拒绝了连接请求");
    case QAbstractSocket::HostNotFoundError: return QStringLiteral("的地址找不到");
    case QAbstractSocket::SocketTimeoutError: return QStringLiteral("响应时间过长");
    default: return QStringLiteral("无法连接（%1）").arg(text);
    }
}

}  // namespace

ProxyExchange::ProxyExchange(QTcpSocket* browser)
    : browser_(browser),
      request_(MessageReader::Kind::Request, {[this](Head&& head) { RequestHead(std::move(head)); },
                                              [this](const char* data, size_t size) { RequestBody(data, size); },
                                              [this] { RequestComplete(); }}),
      answer_(MessageReader::Kind::Answer, {[this](Head&& head) { AnswerHead(std::move(head)); },
                                            [this](const char* data, size_t size) {
                                                if (!draining_) shaper_.Body(data, qsizetype(size));
                                            },
                                            nullptr}),
      shaper_(browser) {
    browser_->setParent(this);
    ConfigureRelaySocket(browser_);
    connect(browser_, &QTcpSocket::readyRead, this, &ProxyExchange::FromBrowser);
    // Room on the browser's side lets more of the answer come.
    connect(browser_, &QTcpSocket::bytesWritten, this, &ProxyExchange::FromServer);
    connect(browser_, &QTcpSocket::disconnected, this, &ProxyExchange::BrowserGone);
    connect(browser_, &QTcpSocket::errorOccurred, this, &ProxyExchange::BrowserGone);
    headTimer_.setSingleShot(true);
    connect(&headTimer_, &QTimer::timeout, this, [this] {
        if (WaitingForHead()) End();
    });
    StartWaiting();
}

ProxyExchange::~ProxyExchange() {
    if (server_) delete server_.data();
}

void ProxyExchange::StartWaiting() {
    stage_ = Stage::Head;
    headTimer_.start(std::chrono::milliseconds(RequestLimits().headMs.load()));
}

// The server's connection goes at once, never to serve again.
void ProxyExchange::AbortServer() {
    headTimer_.stop();
    if (!server_) return;
    server_->disconnect(this);
    server_->abort();
}

void ProxyExchange::End() {
    if (ended_) return;
    ended_ = true;
    stage_ = Stage::Closing;
    AbortServer();
    browser_->disconnect(this);
    browser_->abort();
    deleteLater();
}

// The browser dropped its request (it no longer needs the answer): the
// server's answer is read to its end, if it is short, so that the connection
// serves the next request, as the browser itself does with its connections.
void ProxyExchange::BrowserGone() {
    if (ended_) return;
    if (stage_ != Stage::Request || !server_ || !connected_ || !requestDone_ || draining_) return End();
    draining_ = true;
    headTimer_.stop();
    browser_->disconnect(this);
    browser_->abort();
    QTimer::singleShot(kDrainTime, this, &ProxyExchange::End);
    FromServer();
}

// A local answer ends the exchange and the connection, once it is sent.
void ProxyExchange::Answer(const QByteArray& whole) {
    stage_ = Stage::Closing;
    AbortServer();
    browser_->write(whole);
    browser_->disconnectFromHost();
    if (browser_->state() == QAbstractSocket::UnconnectedState) End();
}

void ProxyExchange::FromBrowser() {
    if (ended_ || stage_ == Stage::Closing) return;
    if (stage_ == Stage::Tunnel) return Pump(browser_, server_);
    while (!ended_ && (stage_ == Stage::Head || (stage_ == Stage::Request && !requestDone_))) {
        // The server takes the request at its pace.
        if (stage_ == Stage::Request && (server_ ? !Room(server_) : waitingUp_.size() >= kWindow)) return;
        if (fromBrowser_.isEmpty()) fromBrowser_ = browser_->read(kChunk);
        if (fromBrowser_.isEmpty()) return;
        const qsizetype taken = request_.Feed(fromBrowser_.constData(), fromBrowser_.size());
        fromBrowser_.remove(0, taken);
        if (request_.Failed()) return Answer(local::Refused(400, "Bad Request"));
    }
}

void ProxyExchange::RequestHead(Head&& head) {
    headTimer_.stop();
    stage_ = Stage::Request;
    requestDone_ = false;
    connect_ = head.method == "CONNECT";
    browserHttp10_ = head.major == 1 && head.minor == 0;
    browserCloses_ = !request_.KeepAlive();
    headRequest_ = head.method == "HEAD";
    answerStarted_ = interim_ = serverEnded_ = retried_ = connected_ = false;
    replay_.clear();
    waitingUp_.clear();
    replayable_ = true;

    if (connect_) {
        // A WebSocket of the layer's pages: a tunnel to one of its origins only.
        const auto [host, port] = SplitAuthority(head.target, 0);
        if (!port || !IsLayerOrigin(host, port)) return Answer(local::Refused(403, "Forbidden"));
        host_ = host;
        port_ = port;
        authority_ = head.target;
        return OpenServer(host, port);
    }
    if (!head.target.startsWith("http://")) {
        if (head.method == "GET" && head.target == PacPath())
            return Answer(local::Answer(200, "OK", "application/x-ns-proxy-autoconfig", PacScript()));
        return Answer(local::Refused(400, "Bad Request"));
    }
    QByteArray rest = head.target.mid(7);
    const qsizetype slash = rest.indexOf('/');
    authority_ = slash < 0 ? rest : rest.left(slash);
    const auto [host, port] = SplitAuthority(authority_, 80);
    if (host.isEmpty() || !port) return Answer(local::Refused(400, "Bad Request"));
    host_ = host;
    port_ = port;
    layer_ = IsLayerOrigin(host, port);
    url_ = QString::fromLatin1("http://" + rest.split('#').first());
    head.target = slash < 0 ? QByteArray("/") : rest.mid(slash);
    head.RemoveHopByHop();
    requestChunked_ = request_.Chunked();
    if (requestChunked_) head.Set("Transfer-Encoding", "chunked");
    answer_.Reset();  // a parser that saw a connection end reads nothing more
    answer_.ExpectNoBody(headRequest_);
    OpenServer(host, port);
    SendUp(head.RequestBytes());
}

void ProxyExchange::RequestBody(const char* data, size_t size) {
    if (connect_ || size == 0) return;
    QByteArray bytes(data, qsizetype(size));
    if (requestChunked_) bytes = QByteArray::number(qsizetype(size), 16) + "\r\n" + bytes + "\r\n";
    SendUp(bytes);
}

void ProxyExchange::RequestComplete() {
    requestDone_ = true;
    if (requestChunked_) SendUp("0\r\n\r\n");
    if (connect_) {
        // The tunnel's first bytes may have come with the head.
        stage_ = Stage::Tunnel;
        if (connected_) {
            browser_->write("HTTP/1.1 200 Connection Established\r\n\r\n");
            if (!fromBrowser_.isEmpty()) server_->write(std::exchange(fromBrowser_, QByteArray()));
            Pump(browser_, server_);
        }
    }
}

void ProxyExchange::SendUp(const QByteArray& bytes) {
    if (replayable_) {
        replay_ += bytes;
        if (replay_.size() > kWindow) {
            replayable_ = false;
            replay_.clear();
        }
    }
    if (server_) server_->write(bytes);  // buffered while the connection is being made
    else waitingUp_ += bytes;            // a connection to the server is not free yet
}

void ProxyExchange::OpenServer(const QByteArray& host, quint16 port) {
    if (connect_) return Attach(UpstreamPool::Open(host, port), false);
    UpstreamPool::Here().Take(host, port, this, [this](QTcpSocket* socket, bool reused) { Attach(socket, reused); });
}

void ProxyExchange::Attach(QTcpSocket* socket, bool reused) {
    server_ = socket;
    reused_ = reused;
    server_->setParent(this);
    connected_ = server_->state() == QAbstractSocket::ConnectedState;
    connect(server_, &QTcpSocket::connected, this, &ProxyExchange::ServerConnected);
    connect(server_, &QTcpSocket::readyRead, this, &ProxyExchange::FromServer);
    // Room on the server's side lets more of the request come.
    connect(server_, &QTcpSocket::bytesWritten, this, &ProxyExchange::FromBrowser);
    connect(server_, &QTcpSocket::disconnected, this, &ProxyExchange::ServerClosed);
    connect(server_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError) ServerClosed();
        else ServerFailed();
    });
    if (!waitingUp_.isEmpty()) server_->write(std::exchange(waitingUp_, QByteArray()));
    if (connected_ && connect_) ServerConnected();
    // The rest of the request, if it waited for the connection (not from
    // within the parser's call that may have led here).
    QMetaObject::invokeMethod(this, &ProxyExchange::FromBrowser, Qt::QueuedConnection);
}

void ProxyExchange::ServerConnected() {
    connected_ = true;
    if (connect_ && requestDone_ && stage_ == Stage::Tunnel) {
        browser_->write("HTTP/1.1 200 Connection Established\r\n\r\n");
        if (!fromBrowser_.isEmpty()) server_->write(std::exchange(fromBrowser_, QByteArray()));
        Pump(browser_, server_);
    }
}

// The tunnel: each side gets what the other sends, as fast as it takes it.
void ProxyExchange::Pump(QTcpSocket* from, QTcpSocket* to) {
    if (!from || !to || !connected_) return;
    while (Room(to)) {
        const QByteArray bytes = from->read(kChunk);
        if (bytes.isEmpty()) break;
        to->write(bytes);
    }
    // One side is gone: the other gets what is left, then the end.
    if (from->state() != QAbstractSocket::ConnectedState && !from->bytesAvailable()) {
        stage_ = Stage::Closing;
        to->disconnectFromHost();
        from->disconnectFromHost();
        if (browser_->state() == QAbstractSocket::UnconnectedState) End();
    }
}

void ProxyExchange::FromServer() {
    if (ended_ || !server_) return;
    if (stage_ == Stage::Tunnel) return Pump(server_, browser_);
    if (stage_ != Stage::Request) return;
    while (!ended_ && server_ && (draining_ || Room(browser_))) {
        if (fromServer_.isEmpty()) fromServer_ = server_->read(kChunk);
        if (fromServer_.isEmpty()) {
            if (!serverEnded_) return;
            answer_.FeedEnd();  // the end of an answer read until the connection closes
            if (answer_.Complete()) return AnswerComplete();
            if (answerStarted_ || answer_.Failed()) return End();  // cut off: the browser sees it broken
            if (!Retry()) End();
            return;
        }
        answerStarted_ = true;
        if (draining_ && (drained_ += fromServer_.size()) > kDrainLimit) return End();
        const qsizetype taken = answer_.Feed(fromServer_.constData(), fromServer_.size());
        fromServer_.remove(0, taken);
        if (answer_.Failed()) {
            if (shaper_.HeadSent()) return End();
            return Answer(local::Answer(502, "Bad Gateway", "text/plain; charset=utf-8",
                                        "The server's answer could not be read: " + answer_.Error()));
        }
        if (answer_.Complete()) {
            if (interim_) {  // 100 Continue and the like went on; the answer follows
                interim_ = false;
                answer_.Next();
                continue;
            }
            return AnswerComplete();
        }
    }
}

void ProxyExchange::AnswerHead(Head&& head) {
    if (draining_) {
        interim_ = head.status / 100 == 1 && head.status != 101;
        return;
    }
    if (head.status / 100 == 1 && head.status != 101) {
        interim_ = true;
        head.RemoveHopByHop();
        browser_->write(head.AnswerBytes());
        return;
    }
    if (head.status == 101) {
        // The connection leaves HTTP: the rest goes both ways as it is.
        browser_->write(head.AnswerBytes());
        return;
    }
    AnswerShaper::Exchange exchange;
    exchange.url = url_;
    exchange.layer = layer_;
    exchange.headRequest = headRequest_;
    exchange.browserHttp10 = browserHttp10_;
    const bool lengthKnown = answer_.HasBody() && !answer_.Chunked() && !answer_.BodyUntilClose();
    shaper_ = AnswerShaper(browser_);
    shaper_.Begin(exchange, std::move(head), answer_.HasBody(), lengthKnown);
}

void ProxyExchange::AnswerComplete() {
    if (answer_.Upgrade() && draining_) return End();
    if (answer_.Upgrade()) {
        stage_ = Stage::Tunnel;
        if (!fromServer_.isEmpty()) browser_->write(std::exchange(fromServer_, QByteArray()));
        if (!fromBrowser_.isEmpty()) server_->write(std::exchange(fromBrowser_, QByteArray()));
        Pump(browser_, server_);
        return;
    }
    if (!draining_) shaper_.End();
    // The server's connection serves the next request only if it is at a
    // message's end both ways.
    const bool reusable = answer_.KeepAlive() && requestDone_ && fromServer_.isEmpty() && !serverEnded_ &&
                          !server_->bytesAvailable();
    server_->disconnect(this);
    if (reusable) {
        server_->setParent(nullptr);
        UpstreamPool::Here().GiveBack(host_, port_, server_);
    } else {
        server_->disconnectFromHost();
        server_->deleteLater();
    }
    server_ = nullptr;
    fromServer_.clear();
    answer_.Next();
    if (draining_) return End();
    if (browserCloses_ || shaper_.CloseAfter() || !requestDone_) {
        stage_ = Stage::Closing;
        browser_->disconnectFromHost();
        if (browser_->state() == QAbstractSocket::UnconnectedState) End();
        return;
    }
    request_.Next();
    StartWaiting();
    if (!fromBrowser_.isEmpty() || browser_->bytesAvailable()) FromBrowser();
}

void ProxyExchange::ServerClosed() {
    serverEnded_ = true;
    if (stage_ == Stage::Closing) return;
    if (stage_ == Stage::Tunnel) return Pump(server_, browser_);
    FromServer();
}

// A reused connection that the server had closed meanwhile: the request goes
// again on a new one, as a browser does, when nothing came back and it can be
// sent again whole.
bool ProxyExchange::Retry() {
    if (!reused_ || retried_ || answerStarted_ || !replayable_ || !requestDone_) return false;
    retried_ = true;
    server_->disconnect(this);
    server_->deleteLater();
    server_ = nullptr;
    serverEnded_ = connected_ = false;
    answer_.Reset();
    const QByteArray again = replay_;
    replay_.clear();
    SendUp(again);
    OpenServer(host_, port_);
    return true;
}

void ProxyExchange::ServerFailed() {
    if (ended_ || !server_) return;
    if (connected_ || stage_ == Stage::Tunnel) return ServerClosed();
    // Never connected: the server is out of reach, said in the program's page.
    if (Retry()) return;
    Answer(local::Unreachable(authority_, Cause(server_->error(), server_->errorString())));
}

}  // namespace lumaro::proxy
