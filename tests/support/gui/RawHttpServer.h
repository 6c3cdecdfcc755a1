#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace lumaro::test {

// An HTTP/1.1 server on 127.0.0.1, on a thread of its own, whose answers the
// test writes byte for byte: the framings real servers use (chunked, until
// the connection closes, bare line feeds, interim answers), long answers
// streamed as the client takes them, answers held open, request bodies read
// at a pace. Connections stay open between requests unless an answer closes.
class RawHttpServer {
public:
    struct Request {
        QByteArray method, path, head, body;  // path without the query
    };
    struct Answer {
        QByteArray bytes;          // written as they are: head and body
        qint64 stream = 0;         // then this many bytes of Pattern(), at the client's pace
        bool hold = false;         // then the connection stays open for Send() and Close()
        bool close = false;        // the connection closes after the answer
    };
    using Handler = std::function<Answer(const Request&)>;

    RawHttpServer();
    ~RawHttpServer();

    // Answers requests for `path` (with the whole request body read); others get 404.
    void Route(const QByteArray& path, Handler handler);
    QString Url(const QString& path, const QString& host = QStringLiteral("127.0.0.1")) const;
    quint16 Port() const;

    int Connections() const;         // accepted so far
    qint64 BodyBytesRead() const;    // request body bytes read so far, in all
    qint64 Streamed() const;         // pattern bytes written so far, in all
    // A stream under way whose client has taken nothing for a while (its
    // buffers are full): the server can only wait.
    bool Stalled() const;
    // Request bodies are read at most this many bytes every 10 ms (0: as they come).
    void SetReadPace(qint64 bytesPerTick);
    // Called on the server's thread whenever another 64 MiB of the pattern went out.
    void OnStreamed(std::function<void(qint64)> callback);
    // To the connections held open: more bytes, or their end.
    void Send(const QByteArray& bytes);
    void Close();

    // The streamed bytes: byte i is Pattern(i).
    static char Pattern(qint64 i) { return char((i * 7 + i / 4093) & 0xff); }

    struct State;

private:
    std::unique_ptr<State> state_;
};

// sha256 of bytes, in hex.
QByteArray Sha256(const QByteArray& bytes);

}  // namespace lumaro::test
