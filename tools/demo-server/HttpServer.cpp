#include "HttpServer.h"

#include <cstdio>
#include <memory>
#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QMetaEnum>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace demo {
namespace {

void Log(const QByteArray& line) {
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

HttpRequest Convert(const QHttpServerRequest& http) {
    HttpRequest request;
    const char* method = QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(int(http.method()));
    request.method = QByteArray(method ? method : "UNKNOWN").toUpper();
    const QUrl url = http.url();
    request.path = url.path();
    request.query = url.query(QUrl::FullyEncoded).toUtf8();
    request.target = url.path(QUrl::FullyEncoded).toUtf8() + (url.hasQuery() ? "?" + request.query : QByteArray());
    request.line = request.method + ' ' + request.target;
    for (const auto& [name, value] : http.headers()) request.headers.append({name.toLower(), value});
    request.body = http.body();
    return request;
}

void Respond(QHttpServerResponder& responder, const HttpRequest& request, const HttpResponse& response) {
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(response.status));
    for (const auto& [name, value] : response.headers) responder.writeHeader(name, value);
    responder.writeHeader("Content-Length", QByteArray::number(response.body.size()));
    responder.writeHeader("Cache-Control", "no-store");
    responder.writeBody(request.method == "HEAD" ? QByteArray() : response.body);
}

// The module's server with one handler for every request; a delayed answer
// is written when its time has come, if the client still waits for it.
class Server : public QAbstractHttpServer {
public:
    Server(const HttpServer::Handler& handler, QObject* parent) : QAbstractHttpServer(parent), handler_(handler) {}

protected:
    bool handleRequest(const QHttpServerRequest& http, QTcpSocket* socket) override {
        const HttpRequest request = Convert(http);
        Log(request.line);
        const HttpResponse response = handler_(request);
        auto responder = std::make_shared<QHttpServerResponder>(makeResponder(http, socket));
        if (response.delayMs <= 0) {
            Respond(*responder, request, response);
        } else {
            QTimer::singleShot(response.delayMs, this, [responder, socket = QPointer(socket), request, response] {
                if (socket && socket->state() == QAbstractSocket::ConnectedState) Respond(*responder, request, response);
            });
        }
        return true;
    }
    void missingHandler(const QHttpServerRequest&, QTcpSocket*) override {}

private:
    const HttpServer::Handler& handler_;
};

}  // namespace

QByteArray HttpRequest::header(const QByteArray& lowerName) const {
    for (const auto& [name, value] : headers)
        if (name == lowerName) return value;
    return {};
}

QString HttpRequest::param(const QString& name) const {
    for (const QByteArray& pair : query.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        const QByteArray key = eq < 0 ? pair : pair.left(eq);
        if (QUrl::fromPercentEncoding(key).compare(name, Qt::CaseInsensitive) == 0) {
            QByteArray value = eq < 0 ? QByteArray() : pair.mid(eq + 1);
            value.replace('+', ' ');
            return QUrl::fromPercentEncoding(value);
        }
    }
    return {};
}

HttpResponse HttpResponse::Html(const QString& html, int status) {
    return Text(html.toUtf8(), "text/html; charset=utf-8", status);
}

HttpResponse HttpResponse::Text(const QByteArray& bytes, const QByteArray& contentType, int status) {
    HttpResponse response;
    response.status = status;
    response.body = bytes;
    response.headers.append({"Content-Type", contentType});
    return response;
}

HttpResponse& HttpResponse::with(const QByteArray& name, const QByteArray& value) {
    headers.append({name, value});
    return *this;
}

HttpServer::HttpServer(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)), server_(new Server(handler_, this)) {}

HttpServer::~HttpServer() = default;

bool HttpServer::listen(quint16 port) {
    auto* tcp = new QTcpServer(this);
    if (!tcp->listen(QHostAddress::LocalHost, port)) {
        error_ = tcp->errorString();
        delete tcp;
        return false;
    }
    server_->bind(tcp);
    port_ = tcp->serverPort();
    return true;
}
quint16 HttpServer::port() const { return port_; }
QString HttpServer::errorString() const { return error_; }

}  // namespace demo
