#pragma once

#include <functional>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace demo {

struct HttpRequest {
    QByteArray line;     // "GET /House/?DatabaseName=House HTTP/1.1"
    QByteArray method;   // "GET"
    QByteArray target;   // "/House/?DatabaseName=House"
    QString path;        // "/House/", percent-decoded
    QByteArray query;    // "DatabaseName=House", raw
    QByteArray version;  // "HTTP/1.1"
    QList<QPair<QByteArray, QByteArray>> headers;  // names in lower case

    QByteArray header(const QByteArray& lowerName) const;
    // A query parameter, percent-decoded ("" when absent).
    QString param(const QString& name) const;
};

struct HttpResponse {
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    int delayMs = 0;  // answer only after this long

    static HttpResponse Html(const QString& html, int status = 200);
    static HttpResponse Text(const QByteArray& bytes, const QByteArray& contentType, int status = 200);
    HttpResponse& with(const QByteArray& name, const QByteArray& value);
};

// A small HTTP/1.1 server on 127.0.0.1: persistent connections, requests
// answered one at a time per connection, each request line logged to stdout.
class HttpServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;
    explicit HttpServer(Handler handler, QObject* parent = nullptr);
    ~HttpServer() override;

    bool listen(quint16 port);
    quint16 port() const;
    QString errorString() const;

private:
    void accept();
    void serve(QTcpSocket* socket);
    void respond(QTcpSocket* socket, const HttpRequest& request, const HttpResponse& response);

    Handler handler_;
    QTcpServer* server_;
};

}  // namespace demo
