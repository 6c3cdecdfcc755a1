#include "gui/TestHttpServer.h"

#include <functional>
#include <QAbstractHttpServer>
#include <QFile>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QMutex>
#include <QPointer>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>
#include <stdexcept>
#include <utility>

namespace lumaro::test {
namespace {

// The certificate, self-signed for 127.0.0.1 and valid 2020-2099, and its key; made for these tests only. Without
// them the server offers no certificate, and the TLS tests fail.
QByteArray TlsFile(const char* name) {
    QFile file(QStringLiteral(TEST_SUPPORT_DIR "/tls/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using Responder = QHttpServerResponder;

// Writes `response` through the module's responder; a body cut off ends with the connection.
void Send(Responder& responder, const TestHttpServer::Response& response) {
    responder.writeStatusLine(static_cast<Responder::StatusCode>(response.status));
    bool typed = false;
    for (const auto& [name, value] : response.headers) {
        responder.writeHeader(name, value);
        typed = typed || name.compare("Content-Type", Qt::CaseInsensitive) == 0;
    }
    if (!typed) responder.writeHeader("Content-Type", "text/html; charset=utf-8");
    responder.writeHeader("Content-Length", QByteArray::number(response.body.size()));
    responder.writeBody(response.cutOff ? response.body.left(response.body.size() / 2) : response.body);
    if (response.cutOff) responder.socket()->disconnectFromHost();
}

// The module's server with one handler for every request.
class Server : public QAbstractHttpServer {
public:
    using Handler = std::function<void(const QHttpServerRequest&, Responder&&)>;
    Server(Handler handler, QObject* parent) : QAbstractHttpServer(parent), handler_(std::move(handler)) {}

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
        handler_(request, makeResponder(request, socket));
        return true;
    }
    void missingHandler(const QHttpServerRequest&, QTcpSocket*) override {}

private:
    Handler handler_;
};

}  // namespace

struct TestHttpServer::State {
    const Transport transport;
    QThread thread;
    QObject* context = new QObject;  // lives on `thread` with the server and its connections
    quint16 port = 0;
    // Touched on `thread` only; a held answer whose connection went is dropped.
    std::vector<std::pair<QPointer<QTcpSocket>, std::pair<std::shared_ptr<Responder>, Response>>> held;
    mutable QMutex mutex;  // guards routes and requests
    QMap<QByteArray, Response> routes;
    QList<Request> requests;

    explicit State(Transport t) : transport(t) {
        thread.start();
        context->moveToThread(&thread);
        OnThread([this] { Listen(); });
    }
    ~State() {
        OnThread([this] { delete context; });
        thread.quit();
        thread.wait();
    }
    template <class F>
    void OnThread(F f) { QMetaObject::invokeMethod(context, f, Qt::BlockingQueuedConnection); }

    void Listen() {
        auto* server = new Server([this](const QHttpServerRequest& request, Responder&& responder) {
            Answer(request, std::move(responder));
        }, context);
        if (transport == Transport::SelfSignedTls)
            server->sslSetup(QSslCertificate(TlsFile("127.0.0.1.crt")), QSslKey(TlsFile("127.0.0.1.key"), QSsl::Ec));
        port = server->listen(QHostAddress::LocalHost, 0);
    }

    void Answer(const QHttpServerRequest& http, Responder&& responder) {
        Request request{http.url().path(QUrl::FullyEncoded).toUtf8(), {}};
        for (const auto& [name, value] : http.headers()) request.headers.insert(name.toLower(), value);
        Response response("<h1>404 Not Found</h1>", {}, 404);
        {
            QMutexLocker lock(&mutex);
            requests << request;
            response = routes.value(request.path, response);
        }
        if (!response.basicAuth.isEmpty() &&
            request.headers.value("authorization") != "Basic " + response.basicAuth.toBase64())
            response = Response("<h1>401 Unauthorized</h1>", {{"WWW-Authenticate", "Basic realm=\"Lumaro test\""}},
                                401);
        if (response.held)
            held.push_back({responder.socket(), {std::make_shared<Responder>(std::move(responder)), response}});
        else
            Send(responder, response);
    }
};

TestHttpServer::TestHttpServer(Transport transport) : state_(std::make_unique<State>(transport)) {
    if (state_->port == 0) throw std::runtime_error("TestHttpServer: cannot listen on 127.0.0.1");
}
TestHttpServer::~TestHttpServer() = default;

QString TestHttpServer::Url(const QString& path) const {
    const bool tls = state_->transport == Transport::SelfSignedTls;
    return QStringLiteral("%1://127.0.0.1:%2%3").arg(tls ? "https" : "http", QString::number(state_->port), path);
}

void TestHttpServer::Route(const QString& path, const Response& response) {
    QMutexLocker lock(&state_->mutex);
    state_->routes.insert(path.toUtf8(), response);
}

QList<TestHttpServer::Request> TestHttpServer::Requests(const QString& path) const {
    QMutexLocker lock(&state_->mutex);
    QList<Request> requests;
    for (const Request& request : state_->requests)
        if (path.isEmpty() || request.path == path.toUtf8()) requests << request;
    return requests;
}

void TestHttpServer::ReleaseHeld() {
    state_->OnThread([this] {
        for (const auto& [socket, answer] : std::exchange(state_->held, {}))
            if (socket && socket->state() == QAbstractSocket::ConnectedState) Send(*answer.first, answer.second);
    });
}

}  // namespace lumaro::test
