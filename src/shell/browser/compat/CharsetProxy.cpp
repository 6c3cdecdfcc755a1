#include "shell/browser/compat/CharsetProxy.h"

#include <QCoreApplication>
#include <QMutex>
#include <QNetworkProxy>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <atomic>

#include "shell/LocalPages.h"
#include "shell/browser/compat/AnswerRewrite.h"

namespace lumaro {
namespace {

constexpr qsizetype kMaxHead = 64 * 1024;
constexpr qsizetype kMaxKeptPage = 2 * 1024 * 1024;
constexpr qsizetype kKeptPages = 8;

struct ProxyState {
    QMutex mutex;
    QStringList origins;
    QList<QPair<QString, QByteArray>> pages;  // url, body; the newest last
    quint16 port = 0;
    QThread* thread = nullptr;
    // As servers bound them: a slow sender is dropped, and so is the oldest
    // of too many senders that have not finished.
    std::atomic<qint64> headMs{30000};
    std::atomic<int> unfinished{64};
    QList<QPair<QString, QString>> hostMap;  // the engine's --host-resolver-rules MAP rules
};

ProxyState& State() {
    static ProxyState state;
    return state;
}

bool Relabels(const QByteArray& host, quint16 port) {
    const QString name = QString::fromLatin1(host).toLower();
    QString origin = QStringLiteral("http://") + (name.contains(u':') ? u'[' + name + u']' : name);
    if (port != 80) origin += u':' + QString::number(port);
    ProxyState& s = State();
    QMutexLocker lock(&s.mutex);
    return s.origins.contains(origin);
}

// The engine resolves host names by the rules it was given; the proxy, which
// connects on its behalf, follows the same "MAP pattern replacement" rules.
QList<QPair<QString, QString>> HostMap(const QByteArray& flags) {
    static const QRegularExpression option(QStringLiteral("--host-resolver-rules=(\"[^\"]*\"|'[^']*'|\\S+)"));
    QList<QPair<QString, QString>> map;
    const auto match = option.match(QString::fromLocal8Bit(flags));
    if (!match.hasMatch()) return map;
    QString rules = match.captured(1);
    if (rules.startsWith(u'"') || rules.startsWith(u'\'')) rules = rules.mid(1, rules.size() - 2);
    for (const QString& rule : rules.split(u',')) {
        const QStringList words = rule.simplified().split(u' ');
        if (words.size() == 3 && words[0].compare(QLatin1String("MAP"), Qt::CaseInsensitive) == 0)
            map << qMakePair(words[1].toLower(), words[2]);
    }
    return map;
}

// Where to connect for host:port, after the engine's rules.
QPair<QString, quint16> Resolve(const QString& host, quint16 port) {
    for (const auto& [pattern, replacement] : State().hostMap) {
        if (!QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(host.toLower()).hasMatch())
            continue;
        const qsizetype colon = replacement.lastIndexOf(u':');
        if (colon > 0 && !replacement.endsWith(u']')) return {replacement.left(colon), replacement.mid(colon + 1).toUShort()};
        return {replacement, port};
    }
    return {host, port};
}

// Header lines of a head, without its first line.
QList<QByteArray> HeaderLines(const QByteArray& head) {
    QList<QByteArray> lines = head.split('\n');
    lines.removeFirst();
    for (QByteArray& line : lines) line = line.trimmed();
    lines.removeAll(QByteArray());
    return lines;
}

bool IsHeader(const QByteArray& line, const char* name) {
    const qsizetype colon = line.indexOf(':');
    return colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0;
}

QByteArray HeaderValue(const QByteArray& line) { return line.mid(line.indexOf(':') + 1).trimmed(); }

// Each connection carries one request: its head rewritten for the server,
// then its body, then the answer back until the server is done. Both sides
// are told the connection closes after it, so the browser never sends a
// second request, for another site perhaps, down the same one.
class ProxyConnection : public QObject {
public:
    explicit ProxyConnection(QTcpSocket* client) : client_(client) {
        client_->setParent(this);
        client_->setSocketOption(QAbstractSocket::LowDelayOption, 1);  // a relay: nothing to gather
        connect(client_, &QTcpSocket::readyRead, this, &ProxyConnection::FromClient);
        connect(client_, &QTcpSocket::disconnected, this, &ProxyConnection::End);
        connect(client_, &QTcpSocket::errorOccurred, this, &ProxyConnection::End);
        // Until its head has come, the request may take only so long, and only so many may wait.
        QTimer::singleShot(std::chrono::milliseconds(State().headMs), this, [this] {
            if (Unfinished().contains(this)) End();
        });
        Unfinished().append(this);
        if (Unfinished().size() > State().unfinished) Unfinished().first()->End();
    }
    ~ProxyConnection() override { Unfinished().removeAll(this); }

private:
    // The connections of the proxy's thread still waiting for their head, the oldest first.
    static QList<ProxyConnection*>& Unfinished() {
        static thread_local QList<ProxyConnection*> list;
        return list;
    }

    void FromClient() {
        if (upstream_) {
            if (upstream_->state() == QAbstractSocket::ConnectedState) upstream_->write(client_->readAll());
            else pending_ += client_->readAll();
            return;
        }
        request_ += client_->readAll();
        const qsizetype end = request_.indexOf("\r\n\r\n");
        if (end < 0) {
            if (request_.size() > kMaxHead) End();
            return;
        }
        pending_ = request_.mid(end + 4);
        Unfinished().removeAll(this);
        OpenUpstream(request_.left(end + 2));
    }

    void OpenUpstream(const QByteArray& head) {
        const QList<QByteArray> first = head.left(head.indexOf("\r\n")).split(' ');
        if (first.size() < 3) return End();
        method_ = first[0];
        QByteArray target = first[1];
        QByteArray authority;
        if (method_ == "CONNECT") {
            tunnel_ = true;
            authority = target;
        } else {
            if (!target.startsWith("http://")) return End();
            target = target.mid(7);
            const qsizetype slash = target.indexOf('/');
            authority = slash < 0 ? target : target.left(slash);
            const QByteArray path = slash < 0 ? QByteArray("/") : target.mid(slash);
            QByteArray rewritten = method_ + ' ' + path + ' ' + first[2] + "\r\n";
            for (const QByteArray& line : HeaderLines(head)) {
                if (!IsHeader(line, "Proxy-Connection") && !IsHeader(line, "Connection") &&
                    !IsHeader(line, "Keep-Alive"))
                    rewritten += line + "\r\n";
            }
            rewritten += "Connection: close\r\n\r\n";
            pending_.prepend(rewritten);
        }
        const qsizetype colon = authority.lastIndexOf(':');
        const bool hasPort = colon > 0 && !authority.endsWith(']');
        QByteArray host = hasPort ? authority.left(colon) : authority;
        const quint16 port = hasPort ? authority.mid(colon + 1).toUShort() : (tunnel_ ? 443 : 80);
        if (host.startsWith('[') && host.endsWith(']')) host = host.mid(1, host.size() - 2);
        relabel_ = !tunnel_ && Relabels(host, port);
        scripts_ = AnswerRewrite(relabel_);
        if (!tunnel_) url_ = QString::fromLatin1("http://" + target.split('#').first());
        authority_ = authority;

        upstream_ = new QTcpSocket(this);
        upstream_->setProxy(QNetworkProxy::NoProxy);
        upstream_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(upstream_, &QTcpSocket::connected, this, [this] {
            connected_ = true;
            if (tunnel_) client_->write("HTTP/1.1 200 Connection Established\r\n\r\n");
            upstream_->write(pending_);
            pending_.clear();
        });
        connect(upstream_, &QTcpSocket::readyRead, this, &ProxyConnection::FromUpstream);
        connect(upstream_, &QTcpSocket::disconnected, this, &ProxyConnection::UpstreamDone);
        connect(upstream_, &QTcpSocket::errorOccurred, this, &ProxyConnection::UpstreamDone);
        const auto [address, toPort] = Resolve(QString::fromLatin1(host), port);
        upstream_->connectToHost(address, toPort);
    }

    void FromUpstream() {
        if (tunnel_ || answerStarted_) {
            Forward(upstream_->readAll());
            return;
        }
        answer_ += upstream_->readAll();
        const qsizetype end = answer_.indexOf("\r\n\r\n");
        if (end < 0) {
            if (answer_.size() > kMaxHead) End();
            return;
        }
        answerStarted_ = true;
        const QByteArray head = answer_.left(end + 2);
        const QByteArray statusLine = head.left(head.indexOf("\r\n"));
        const int status = statusLine.split(' ').value(1).toInt();
        QByteArray rewritten = statusLine + "\r\n";
        bool chunked = false;
        for (const QByteArray& line : HeaderLines(head)) {
            if (IsHeader(line, "Connection") || IsHeader(line, "Keep-Alive") || IsHeader(line, "Proxy-Connection"))
                continue;
            if (IsHeader(line, "Content-Length")) remaining_ = HeaderValue(line).toLongLong();
            if (IsHeader(line, "Transfer-Encoding")) chunked = true;
            if (relabel_ && IsHeader(line, "Content-Type"))
                rewritten += "Content-Type: " + CharsetProxy::Relabel(HeaderValue(line)) + "\r\n";
            else
                rewritten += line + "\r\n";
        }
        rewritten += "Connection: close\r\n\r\n";
        if (chunked) remaining_ = -1;
        keep_ = relabel_ && !chunked && status == 200 && method_ != "HEAD" &&
                rewritten.toLower().contains("content-type: text/html");
        if (method_ == "HEAD" || status == 204 || status == 304 || (status >= 100 && status < 200)) remaining_ = 0;
        client_->write(scripts_.Pass(rewritten));
        Forward(answer_.mid(end + 4));
        answer_.clear();
    }

    // The body, counted where its length is known: a server that keeps the
    // connection open anyway still ends the answer.
    void Forward(const QByteArray& bytes) {
        client_->write(scripts_.Pass(bytes));
        if (keep_) {
            body_ += bytes;
            if (body_.size() > kMaxKeptPage) {
                keep_ = false;
                body_.clear();
            }
        }
        if (!tunnel_ && remaining_ >= 0) {
            remaining_ -= bytes.size();
            if (remaining_ <= 0) Finish();
        }
    }

    // A server that cannot be reached is told as the browser tells it, in
    // the program's page: this connection to the browser itself is fine.
    void Unreachable() {
        QString cause;
        switch (upstream_->error()) {
        case QAbstractSocket::ConnectionRefusedError: cause = QStringLiteral("拒绝了连接请求"); break;
        case QAbstractSocket::HostNotFoundError: cause = QStringLiteral("的地址找不到"); break;
        case QAbstractSocket::SocketTimeoutError: cause = QStringLiteral("响应时间过长"); break;
        default: cause = QStringLiteral("无法连接（%1）").arg(upstream_->errorString());
        }
        const std::string body = "<h1>无法访问此网站</h1><p><code>" + HtmlEscape(authority_.toStdString()) + "</code> " +
                                 cause.toStdString() + "。</p><p>请检查服务器是否运行、网址是否正确，然后刷新（F5）。</p>";
        const QByteArray page = QByteArray::fromStdString(LocalPage("无法访问此网站", body));
        client_->write("HTTP/1.1 502 Bad Gateway\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                       QByteArray::number(page.size()) +
                       "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + page);
        Finish();
    }

    void UpstreamDone() {
        if (!answerStarted_ && !tunnel_) {
            if (upstream_->state() != QAbstractSocket::ConnectedState && !connected_) return Unreachable();
            return End();  // connected, then nothing: the browser reports an empty answer
        }
        if (upstream_->bytesAvailable()) FromUpstream();
        Finish();
    }

    void Finish() {
        if (finishing_) return;
        finishing_ = true;
        if (keep_ && remaining_ <= 0 && body_.contains("<xml") | body_.contains("<XML")) Keep();
        client_->write(scripts_.End());
        if (upstream_) upstream_->disconnect(this);
        client_->disconnectFromHost();  // after what is still buffered
        if (client_->state() == QAbstractSocket::UnconnectedState) deleteLater();
    }

    void End() {
        if (ended_) return;
        ended_ = true;
        Unfinished().removeAll(this);
        if (upstream_) {
            upstream_->disconnect(this);
            upstream_->abort();
        }
        client_->disconnect(this);
        client_->abort();
        deleteLater();
    }

    void Keep() {
        ProxyState& s = State();
        QMutexLocker lock(&s.mutex);
        s.pages.removeIf([this](const auto& page) { return page.first == url_; });
        s.pages.append({url_, body_});
        while (s.pages.size() > kKeptPages) s.pages.removeFirst();
    }

    QTcpSocket* client_;
    QString url_;
    QByteArray body_;
    bool keep_ = false;
    QTcpSocket* upstream_ = nullptr;
    AnswerRewrite scripts_{false};  // the layer's pages and scripts, given JScript's meaning
    QByteArray request_, pending_, answer_, method_, authority_;
    qint64 remaining_ = -1;
    bool tunnel_ = false, relabel_ = false, connected_ = false;
    bool answerStarted_ = false, finishing_ = false, ended_ = false;
};

}  // namespace

QByteArray CharsetProxy::Relabel(const QByteArray& contentType) {
    const QByteArray type = contentType.split(';').first().trimmed().toLower();
    static const QList<QByteArray> text = {"text/html", "text/css", "text/javascript", "application/javascript",
                                           "application/x-javascript", "text/jscript"};
    if (!text.contains(type) || contentType.toLower().contains("charset=")) return contentType;
    return contentType.trimmed() + "; charset=GBK";
}

void CharsetProxy::Start() {
    ProxyState& s = State();
    if (s.thread) return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--proxy-server") || flags.contains("--no-proxy-server") || flags.contains("--proxy-pac-url"))
        return;

    s.hostMap = HostMap(flags);
    s.thread = new QThread;
    s.thread->setObjectName(QStringLiteral("CharsetProxy"));
    s.thread->start();
    auto* server = new QTcpServer;
    server->moveToThread(s.thread);
    QMetaObject::invokeMethod(server, [server] {
        QObject::connect(server, &QTcpServer::newConnection, server, [server] {
            while (QTcpSocket* client = server->nextPendingConnection()) new ProxyConnection(client);
        });
        if (server->listen(QHostAddress::LocalHost)) State().port = server->serverPort();
    }, Qt::BlockingQueuedConnection);
    // The thread ends with the application, before the statics it uses go.
    qAddPostRoutine([] {
        State().thread->quit();
        State().thread->wait(2000);
    });
    if (!s.port) return;
    // Only plain http, loopback included (the demo and many desks run there).
    flags += " --proxy-server=http=127.0.0.1:" + QByteArray::number(s.port) + " --proxy-bypass-list=<-loopback>";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

void CharsetProxy::SetOrigins(const QStringList& origins) {
    ProxyState& s = State();
    QMutexLocker lock(&s.mutex);
    s.origins.clear();
    for (const QString& origin : origins)
        if (origin.startsWith(QLatin1String("http://"))) s.origins << origin;
}

void CharsetProxy::SetRequestLimits(std::chrono::milliseconds headTime, int unfinished) {
    State().headMs = headTime.count();
    State().unfinished = std::max(unfinished, 1);
}

std::optional<QByteArray> CharsetProxy::RecentPage(const QString& url) {
    ProxyState& s = State();
    QMutexLocker lock(&s.mutex);
    for (const auto& [address, body] : s.pages)
        if (address == url) return body;
    return std::nullopt;
}

quint16 CharsetProxy::Port() { return State().port; }

}  // namespace lumaro
