#pragma once

#include <functional>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class QAbstractHttpServer;

namespace demo {

struct HttpRequest {
    QByteArray line;     // "GET /House/?DatabaseName=House": what the log shows
    QByteArray method;   // "GET"
    QByteArray target;   // "/House/?DatabaseName=House"
    QString path;        // "/House/", percent-decoded
    QByteArray query;    // "DatabaseName=House", raw
    QList<QPair<QByteArray, QByteArray>> headers;  // names in lower case
    QByteArray body;

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

// An HTTP/1.1 server on 127.0.0.1, on Qt's HttpServer module: persistent
// connections, each request logged to stdout as its method and target.
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
    Handler handler_;
    QAbstractHttpServer* server_;
    quint16 port_ = 0;
    QString error_;
};

}  // namespace demo
