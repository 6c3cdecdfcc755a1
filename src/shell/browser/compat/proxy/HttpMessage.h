#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <functional>
#include <memory>

struct http_parser;

namespace lumaro::proxy {

// The head of a request or an answer as it came, its fields in their order.
struct Head {
    QByteArray method, target;  // a request's
    int status = 0;             // an answer's
    QByteArray reason;
    int major = 1, minor = 1;
    QList<QPair<QByteArray, QByteArray>> fields;

    QByteArray Field(const char* name) const;  // the first of that name (any case), or empty
    bool Has(const char* name) const;
    void Remove(const char* name);
    void Set(const char* name, const QByteArray& value);  // replaces every field of that name
    // Drops the fields that belong to one connection only, as a proxy must:
    // those named here and those the message's Connection field names.
    void RemoveHopByHop();
    // The head as bytes, ending with the blank line.
    QByteArray RequestBytes() const;
    QByteArray AnswerBytes() const;
};

// Reads HTTP/1.x messages from one direction of a connection with
// http-parser: the framing (Content-Length, chunked, until the connection
// closes, HEAD and 1xx/204/304 without a body) is the parser's. It stops
// after each complete message, so the caller decides when the next begins.
class MessageReader {
public:
    enum class Kind { Request, Answer };
    struct Events {
        std::function<void(Head&&)> head;
        std::function<void(const char*, size_t)> body;  // the body's bytes, chunk framing removed
        std::function<void()> complete;
    };

    MessageReader(Kind kind, Events events);
    ~MessageReader();

    // Parses from `data`; returns how many bytes it took. It takes no more
    // after a message completes (the rest is the next message's, or, after
    // an upgrade or CONNECT, the other protocol's); `Failed` tells an error.
    qsizetype Feed(const char* data, qsizetype size);
    void FeedEnd();  // the connection closed: ends an answer read until then
    // For the next answer: it answers a HEAD request (no body follows).
    void ExpectNoBody(bool noBody) { noBody_ = noBody; }
    void Next();  // lets the next message begin
    void Reset();  // for a message on another connection

    bool Complete() const { return complete_; }
    bool Failed() const;
    QByteArray Error() const;
    bool KeepAlive() const;  // the connection may carry another message
    bool Upgrade() const;    // the connection leaves HTTP after this message (CONNECT, 101)
    bool HasBody() const { return hasBody_; }
    bool BodyUntilClose() const { return untilClose_; }  // an answer whose end is the connection's
    bool Chunked() const { return chunked_; }

private:
    struct Callbacks;
    void Flush();

    Kind kind_;
    Events events_;
    std::unique_ptr<http_parser> parser_;
    Head head_;
    QByteArray field_, value_;
    bool inValue_ = false, noBody_ = false, complete_ = false, hasBody_ = false, untilClose_ = false, chunked_ = false;
};

}  // namespace lumaro::proxy
