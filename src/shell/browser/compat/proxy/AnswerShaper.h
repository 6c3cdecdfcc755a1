#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "shell/browser/compat/proxy/HttpMessage.h"
#include "shell/browser/compat/proxy/ProxyState.h"

class QIODevice;

namespace lumaro::proxy {

// One final answer on its way to the browser: what the layer does to it (the
// GBK label for a page that names no encoding, the copy kept of a page with
// <xml> islands or VBScript, a whole-answer transform) and its framing on the browser's
// connection. It holds back only what a decision needs: the page's first
// bytes for the label, or the whole answer (up to the transform's limit) for
// a transform; everything else goes on as it comes.
class AnswerShaper {
public:
    struct Exchange {
        QString url;
        bool layer = false;      // an answer of the layer's origins
        bool headRequest = false;
        bool browserHttp10 = false;
    };

    explicit AnswerShaper(QIODevice* browser) : browser_(browser) {}

    void Begin(const Exchange& exchange, Head answer, bool hasBody, bool lengthKnown);
    void Body(const char* data, qsizetype size);
    void End();  // the answer is complete

    bool HeadSent() const { return headSent_; }
    // The browser's connection must end with this answer (nothing else frames it).
    bool CloseAfter() const { return closeAfter_; }

private:
    void SendHead();
    void Send(const char* data, qsizetype size);

    QIODevice* browser_;
    Exchange exchange_;
    Head head_;
    bool hasBody_ = false, lengthKnown_ = false;
    bool label_ = false, keep_ = false, headSent_ = false, chunked_ = false, closeAfter_ = false;
    std::optional<WholeAnswerTransform> transform_;
    qsizetype hold_ = 0;  // bytes held back before the head goes
    QByteArray held_, kept_, last_;  // last_: a kept page's latest piece, not yet sent
    bool ended_ = false;
};

}  // namespace lumaro::proxy
