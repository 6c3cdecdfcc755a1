#pragma once

#include <QByteArray>

// What the proxy sends the browser of an answer of the layer's plain-http
// server: its pages and scripts whole, rewritten with JScript's meaning
// (SourceRewrite.h) and a Content-Length to match (a chunked answer is sent
// whole, unchunked); everything else, and anything larger than kMaxBody, as it
// comes. The proxy passes every byte of the answer through Pass, head first,
// and calls End when the answer is complete.
namespace lumaro {

class AnswerRewrite {
public:
    static constexpr qsizetype kMaxBody = 8 * 1024 * 1024;

    explicit AnswerRewrite(bool layerOrigin);
    // What to send on now.
    QByteArray Pass(const QByteArray& bytes);
    // What is left to send once the answer is complete.
    QByteArray End();

    // LUMARO_JSCRIPT_REWRITE=off (read once, at the first answer) sends every
    // answer as it came: for measuring what the rewriting costs.
    static bool Enabled();

private:
    enum class Mode { Head, Keep, Stream };
    void Decide();

    Mode mode_;
    QByteArray head_, body_;
    bool page_ = false, chunked_ = false;
    QByteArray charset_;
};

}  // namespace lumaro
