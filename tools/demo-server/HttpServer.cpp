#include "HttpServer.h"

#include <cstdio>
#include <optional>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace demo {
namespace {

constexpr qsizetype MaxHeaderBytes = 64 * 1024;
constexpr qsizetype MaxBodyBytes = 1024 * 1024;

QByteArray ReasonPhrase(int status) {
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Payload Too Large";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

void Log(const QByteArray& line) {
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Per connection: bytes received but not yet answered, and whether an
// answer is still pending (delayed), in which case later requests wait.
constexpr const char* BufferProperty = "demoBuffer";
constexpr const char* PendingProperty = "demoPending";

std::optional<HttpRequest> Parse(const QByteArray& head) {
    const QList<QByteArray> lines = head.split('\n');
    HttpRequest request;
    request.line = lines.value(0).trimmed();
    const QList<QByteArray> parts = request.line.split(' ');
    if (parts.size() != 3 || !parts[2].startsWith("HTTP/1.") || !parts[1].startsWith('/')) return std::nullopt;
    request.method = parts[0];
    request.target = parts[1];
    request.version = parts[2];
    const qsizetype q = request.target.indexOf('?');
    request.path = QUrl::fromPercentEncoding(q < 0 ? request.target : request.target.left(q));
    request.query = q < 0 ? QByteArray() : request.target.mid(q + 1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty()) continue;
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) return std::nullopt;
        request.headers.append({line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed()});
    }
    return request;
}

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
    : QObject(parent), handler_(std::move(handler)), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, &HttpServer::accept);
}

HttpServer::~HttpServer() = default;

bool HttpServer::listen(quint16 port) { return server_->listen(QHostAddress::LocalHost, port); }
quint16 HttpServer::port() const { return server_->serverPort(); }
QString HttpServer::errorString() const { return server_->errorString(); }

void HttpServer::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void HttpServer::serve(QTcpSocket* socket) {
    QByteArray buffer = socket->property(BufferProperty).toByteArray() + socket->readAll();
    while (!socket->property(PendingProperty).toBool()) {
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0) {
            if (buffer.size() > MaxHeaderBytes) {
                respond(socket, {}, HttpResponse::Html(QStringLiteral("请求头太长"), 431));
                return;
            }
            break;
        }
        const std::optional<HttpRequest> request = Parse(buffer.left(end));
        if (!request) {
            Log(buffer.left(buffer.indexOf('\n')).trimmed());
            respond(socket, {}, HttpResponse::Html(QStringLiteral("无法理解的请求"), 400));
            return;
        }
        bool lengthOk = true;
        const qsizetype length = request->header("content-length").isEmpty()
                                     ? 0
                                     : request->header("content-length").toLongLong(&lengthOk);
        if (!lengthOk || length < 0 || length > MaxBodyBytes) {
            Log(request->line);
            respond(socket, {}, HttpResponse::Html(QStringLiteral("请求内容太大"), 413));
            return;
        }
        if (buffer.size() < end + 4 + length) break;  // the body is still on its way
        buffer.remove(0, end + 4 + length);

        Log(request->line);
        const HttpResponse response = handler_(*request);
        if (response.delayMs > 0) {
            socket->setProperty(PendingProperty, true);
            QPointer<QTcpSocket> guard(socket);
            QTimer::singleShot(response.delayMs, this, [this, guard, request = *request, response] {
                if (!guard) return;
                guard->setProperty(PendingProperty, false);
                respond(guard, request, response);
                if (guard && guard->state() == QAbstractSocket::ConnectedState) serve(guard);
            });
        } else {
            respond(socket, *request, response);
            if (socket->state() != QAbstractSocket::ConnectedState) return;
        }
    }
    socket->setProperty(BufferProperty, buffer);
}

void HttpServer::respond(QTcpSocket* socket, const HttpRequest& request, const HttpResponse& response) {
    const QByteArray connection = request.header("connection").toLower();
    const bool keepAlive = request.version == "HTTP/1.1" ? connection != "close" : connection == "keep-alive";
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + ReasonPhrase(response.status) + "\r\n";
    for (const auto& [name, value] : response.headers) head += name + ": " + value + "\r\n";
    head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    head += "Cache-Control: no-store\r\n";
    head += keepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
    socket->write(head);
    if (request.method != "HEAD") socket->write(response.body);
    if (!keepAlive) socket->disconnectFromHost();
}

}  // namespace demo
