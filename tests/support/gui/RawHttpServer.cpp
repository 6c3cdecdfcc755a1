#include "gui/RawHttpServer.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <atomic>

namespace lumaro::test {

QByteArray Sha256(const QByteArray& bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(); }

struct RawHttpServer::State {
    QThread thread;
    QTcpServer* server = nullptr;
    quint16 port = 0;
    QMutex mutex;
    QHash<QByteArray, Handler> routes;
    std::function<void(qint64)> onStreamed;
    std::atomic<int> connections{0};
    std::atomic<qint64> bodyRead{0}, streamed{0}, pace{0};
    std::atomic<int> streaming{0};
    std::atomic<qint64> lastTaken{0};  // when a streaming client last took bytes, ms since the epoch
    QList<QPointer<QTcpSocket>> held;
};

namespace {

constexpr qint64 kStreamChunk = 64 * 1024;

// One connection: requests read one after the other, each answered.
class Connection : public QObject {
public:
    Connection(QTcpSocket* socket, RawHttpServer::State* state) : socket_(socket), state_(state) {
        socket_->setParent(this);
        socket_->setReadBufferSize(256 * 1024);
        connect(socket_, &QTcpSocket::readyRead, this, &Connection::Read);
        connect(socket_, &QTcpSocket::bytesWritten, this, [this] {
            state_->lastTaken = QDateTime::currentMSecsSinceEpoch();
            Stream();
        });
        connect(socket_, &QTcpSocket::disconnected, this, [this] {
            if (std::exchange(streamLeft_, 0)) --state_->streaming;
        });
        connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
        paceTimer_.setInterval(10);
        connect(&paceTimer_, &QTimer::timeout, this, [this] {
            tick_ = true;
            Read();
        });
    }

private:
    void Read() {
        while (true) {
            if (answering_) return;
            if (!inBody_) {
                buffer_ += socket_->readAll();
                const qsizetype end = buffer_.indexOf("\r\n\r\n");
                if (end < 0) return;
                request_ = {};
                request_.head = buffer_.left(end + 4);
                buffer_.remove(0, end + 4);
                const QList<QByteArray> first = request_.head.left(request_.head.indexOf("\r\n")).split(' ');
                request_.method = first.value(0);
                request_.path = first.value(1).split('?').first();
                remaining_ = 0;
                for (const QByteArray& line : request_.head.split('\n')) {
                    const QByteArray lower = line.trimmed().toLower();
                    if (lower.startsWith("content-length:")) remaining_ = lower.mid(15).trimmed().toLongLong();
                    if (lower == "expect: 100-continue") socket_->write("HTTP/1.1 100 Continue\r\n\r\n");
                }
                inBody_ = true;
                const qint64 fromBuffer = std::min<qint64>(remaining_, buffer_.size());
                request_.body = buffer_.left(fromBuffer);
                buffer_.remove(0, fromBuffer);
                remaining_ -= fromBuffer;
                state_->bodyRead += fromBuffer;
            }
            if (remaining_ > 0) {
                const qint64 pace = state_->pace;
                if (pace && !paceTimer_.isActive()) paceTimer_.start();
                if (pace && !std::exchange(tick_, false)) return;  // the next tick reads on
                const QByteArray bytes = socket_->read(pace ? std::min(pace, remaining_) : remaining_);
                request_.body += bytes;
                remaining_ -= bytes.size();
                state_->bodyRead += bytes.size();
                if (remaining_ > 0) return;
            }
            paceTimer_.stop();
            inBody_ = false;
            Answer();
        }
    }

    void Answer() {
        RawHttpServer::Handler handler;
        {
            QMutexLocker lock(&state_->mutex);
            handler = state_->routes.value(request_.path);
        }
        const RawHttpServer::Answer answer =
            handler ? handler(request_)
                    : RawHttpServer::Answer{"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"};
        socket_->write(answer.bytes);
        streamLeft_ = answer.stream;
        close_ = answer.close;
        if (answer.hold) {
            QMutexLocker lock(&state_->mutex);
            state_->held << socket_;
            answering_ = true;
            return;
        }
        if (streamLeft_) {
            answering_ = true;
            ++state_->streaming;
            state_->lastTaken = QDateTime::currentMSecsSinceEpoch();
            return Stream();
        }
        Done();
    }

    void Stream() {
        while (streamLeft_ > 0 && socket_->bytesToWrite() < 4 * kStreamChunk) {
            QByteArray chunk(std::min(streamLeft_, kStreamChunk), Qt::Uninitialized);
            const qint64 at = streamed_;
            for (qsizetype i = 0; i < chunk.size(); ++i) chunk[i] = RawHttpServer::Pattern(at + i);
            socket_->write(chunk);
            streamed_ += chunk.size();
            streamLeft_ -= chunk.size();
            const qint64 total = state_->streamed += chunk.size();
            if (total % (64 << 20) < chunk.size()) {
                std::function<void(qint64)> callback;
                {
                    QMutexLocker lock(&state_->mutex);
                    callback = state_->onStreamed;
                }
                if (callback) callback(total);
            }
            if (streamLeft_ == 0) {
                --state_->streaming;
                answering_ = false;
                Done();
            }
        }
    }

    void Done() {
        streamed_ = 0;
        if (close_) {
            socket_->disconnectFromHost();
            return;
        }
        if (socket_->bytesAvailable() || !buffer_.isEmpty()) QTimer::singleShot(0, this, &Connection::Read);
    }

    QTcpSocket* socket_;
    RawHttpServer::State* state_;
    RawHttpServer::Request request_;
    QByteArray buffer_;
    QTimer paceTimer_;
    qint64 remaining_ = 0, streamLeft_ = 0, streamed_ = 0;
    bool inBody_ = false, answering_ = false, close_ = false, tick_ = false;
};

}  // namespace

RawHttpServer::RawHttpServer() : state_(std::make_unique<State>()) {
    state_->thread.start();
    state_->server = new QTcpServer;
    state_->server->moveToThread(&state_->thread);
    State* state = state_.get();
    QMetaObject::invokeMethod(state->server, [state] {
        QObject::connect(state->server, &QTcpServer::newConnection, state->server, [state] {
            while (QTcpSocket* socket = state->server->nextPendingConnection()) {
                ++state->connections;
                (new Connection(socket, state))->setParent(state->server);
            }
        });
        state->server->listen(QHostAddress::LocalHost);
        state->port = state->server->serverPort();
    }, Qt::BlockingQueuedConnection);
}

RawHttpServer::~RawHttpServer() {
    QMetaObject::invokeMethod(state_->server, [state = state_.get()] { delete state->server; },
                              Qt::BlockingQueuedConnection);
    state_->thread.quit();
    state_->thread.wait();
}

void RawHttpServer::Route(const QByteArray& path, Handler handler) {
    QMutexLocker lock(&state_->mutex);
    state_->routes.insert(path, std::move(handler));
}

QString RawHttpServer::Url(const QString& path, const QString& host) const {
    return QStringLiteral("http://%1:%2%3").arg(host).arg(state_->port).arg(path);
}

quint16 RawHttpServer::Port() const { return state_->port; }
int RawHttpServer::Connections() const { return state_->connections; }
qint64 RawHttpServer::BodyBytesRead() const { return state_->bodyRead; }
qint64 RawHttpServer::Streamed() const { return state_->streamed; }

bool RawHttpServer::Stalled() const {
    return state_->streaming > 0 && QDateTime::currentMSecsSinceEpoch() - state_->lastTaken > 500;
}
void RawHttpServer::SetReadPace(qint64 bytesPerTick) { state_->pace = bytesPerTick; }

void RawHttpServer::OnStreamed(std::function<void(qint64)> callback) {
    QMutexLocker lock(&state_->mutex);
    state_->onStreamed = std::move(callback);
}

void RawHttpServer::Send(const QByteArray& bytes) {
    QMetaObject::invokeMethod(state_->server, [state = state_.get(), bytes] {
        for (const auto& socket : state->held)
            if (socket) socket->write(bytes);
    }, Qt::BlockingQueuedConnection);
}

void RawHttpServer::Close() {
    QMetaObject::invokeMethod(state_->server, [state = state_.get()] {
        for (const auto& socket : state->held)
            if (socket) socket->disconnectFromHost();
        state->held.clear();
    }, Qt::BlockingQueuedConnection);
}

}  // namespace lumaro::test
