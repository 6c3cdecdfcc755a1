#pragma once

#include <memory>
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <vector>

namespace lumaro::test {

// A small HTTP/1.1 server on 127.0.0.1 for tests. It runs on a thread of its
// own, so a client that blocks the test's thread is still answered. Every
// request is recorded; each answer closes its connection.
//
//   TestHttpServer server;
//   server.Route("/page", TestHttpServer::Html("<p>hello</p>"));
//   browser.Navigate(server.Url("/page"));
class TestHttpServer {
public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;

    struct Response {
        int status = 200;
        Headers headers;        // Content-Type defaults to text/html; charset=utf-8
        QByteArray body;
        QByteArray basicAuth;   // "user:password": other requests get 401 with a Basic challenge
        int delayMs = 0;        // answer this long after the request
        bool held = false;      // answer only when ReleaseHeld() is called
    };

    struct Request {
        QByteArray method;
        QByteArray target;      // path and query as sent
        QByteArray path;
        QByteArray query;       // after "?", without it
        QMap<QByteArray, QByteArray> headers;  // names in lower case
        QByteArray body;
    };

    enum class Transport {
        Plain,
        SelfSignedTls,  // https with a certificate no browser trusts
    };

    explicit TestHttpServer(Transport transport = Transport::Plain);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    quint16 port() const;
    // "http://127.0.0.1:<port>" + path (https for TLS).
    QString Url(const QString& path = QStringLiteral("/")) const;

    // Answers requests for `path` (matched without the query); others get 404.
    void Route(const QString& path, const Response& response);

    std::vector<Request> Requests() const;
    int CountRequests(const QString& path) const;
    // Sends the answers held back so far.
    void ReleaseHeld();

    static Response Html(const QString& html);
    static Response Text(const QByteArray& text, const QByteArray& contentType = "text/plain; charset=utf-8");
    static Response Attachment(const QString& fileName, const QByteArray& bytes);

private:
    class Worker;
    std::unique_ptr<Worker> worker_;
};

}  // namespace lumaro::test
