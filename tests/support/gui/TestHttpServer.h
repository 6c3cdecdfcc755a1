#pragma once

#include <memory>
#include <utility>
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

namespace lumaro::test {

// An HTTP/1.1 server on 127.0.0.1 on a thread of its own (a client blocking the test's thread is still answered).
// Every request is recorded; unknown paths get 404.
class TestHttpServer {
public:
    struct Response {
        Response(QByteArray body = {}, QList<QPair<QByteArray, QByteArray>> headers = {}, int status = 200)
            : body(std::move(body)), headers(std::move(headers)), status(status) {}
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;  // Content-Type defaults to text/html; charset=utf-8
        QByteArray basicAuth;  // "user:password": other requests get 401 with a Basic challenge
        bool held = false;     // answered only when ReleaseHeld() is called
        bool cutOff = false;   // the whole body announced, only its first half sent before the connection closes
        int status = 200;
    };
    struct Request {
        QByteArray path;  // without the query
        QMap<QByteArray, QByteArray> headers;  // names in lower case
    };
    enum class Transport { Plain, SelfSignedTls };  // TLS: https with a certificate no browser trusts

    explicit TestHttpServer(Transport transport = Transport::Plain);
    ~TestHttpServer();

    // "http://127.0.0.1:<port>" + path (https for TLS).
    QString Url(const QString& path = QStringLiteral("/")) const;
    // Answers requests for `path`, matched without the query.
    void Route(const QString& path, const Response& response);
    // The requests so far; with a path, those for it (matched without the query).
    QList<Request> Requests(const QString& path = {}) const;
    int CountRequests(const QString& path) const { return int(Requests(path).size()); }
    // Sends the answers held back so far.
    void ReleaseHeld();

    static Response Html(const QString& html) { return Response(html.toUtf8()); }

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lumaro::test
