#include "shell/browser/compat/proxy/AnswerShaper.h"

#include <QIODevice>

#include "shell/browser/compat/proxy/DeclaredEncoding.h"

namespace lumaro::proxy {
namespace {

constexpr qsizetype kMaxKeptPage = 2 * 1024 * 1024;

}  // namespace

void AnswerShaper::Begin(const Exchange& exchange, Head answer, bool hasBody, bool lengthKnown) {
    exchange_ = exchange;
    head_ = std::move(answer);
    hasBody_ = hasBody;
    lengthKnown_ = lengthKnown;
    const QByteArray type = head_.Field("Content-Type");
    const bool page = exchange.layer && IsPage(type);
    label_ = page && hasBody;
    keep_ = page && hasBody && head_.status == 200;
    if (exchange.layer && hasBody) transform_ = TransformFor(exchange.url, head_);
    hold_ = transform_ ? transform_->limit : label_ ? kPrescanBytes : 0;
    if (!hold_) SendHead();
}

void AnswerShaper::Body(const char* data, qsizetype size) {
    if (keep_) {
        kept_.append(data, size);
        if (kept_.size() > kMaxKeptPage) {
            keep_ = false;
            kept_.clear();
            Send(last_.constData(), last_.size());
            last_.clear();
        }
    }
    if (headSent_ && keep_) {
        // The last piece waits for the page's end, which keeps the page first:
        // its scripts may ask for it while the browser parses that end.
        Send(last_.constData(), last_.size());
        last_ = QByteArray(data, size);
        return;
    }
    if (headSent_) return Send(data, size);
    held_.append(data, size);
    if (held_.size() < hold_) return;
    // Too large for the transform, or enough of the page to judge its label.
    transform_.reset();
    SendHead();
}

void AnswerShaper::End() {
    if (ended_) return;
    ended_ = true;
    // Pages whose markup the layer reads again: <xml> islands, and VBScript for
    // the lines it names; kept before the browser has the page's end.
    if (keep_ && (kept_.contains("<xml") || kept_.contains("<XML") || kept_.toLower().contains("vbscript")))
        KeepPage(exchange_.url, kept_);
    if (!headSent_) {
        if (transform_) {
            // The charset the browser will read it in, where the answer or the page names it.
            QByteArray type = head_.Field("Content-Type");
            const QByteArray declared = IsPage(type) ? DeclaredEncoding(held_) : QByteArray();
            if (CharsetOf(type).isEmpty() && !declared.isEmpty()) type += "; charset=" + declared;
            if (auto changed = transform_->apply(exchange_.url, type, held_)) held_ = *changed;
        }
        SendHead();
    }
    Send(last_.constData(), last_.size());
    last_.clear();
    if (chunked_) browser_->write("0\r\n\r\n");
}

void AnswerShaper::SendHead() {
    headSent_ = true;
    const bool complete = ended_;
    if (label_) head_.Set("Content-Type", LabelPage(head_.Field("Content-Type"), held_));
    const QByteArray length = head_.Field("Content-Length");
    head_.RemoveHopByHop();
    if (hasBody_) {
        head_.Remove("Content-Length");
        if (complete) {
            head_.Set("Content-Length", QByteArray::number(held_.size()));
        } else if (lengthKnown_) {
            head_.Set("Content-Length", length);
        } else if (exchange_.browserHttp10) {
            closeAfter_ = true;  // the end of the connection ends the answer
        } else {
            head_.Set("Transfer-Encoding", "chunked");
            chunked_ = true;
        }
    }
    browser_->write(head_.AnswerBytes());
    const QByteArray held = std::exchange(held_, QByteArray());
    if (!held.isEmpty()) Send(held.constData(), held.size());
}

void AnswerShaper::Send(const char* data, qsizetype size) {
    if (size == 0) return;
    if (chunked_) browser_->write(QByteArray::number(size, 16) + "\r\n");
    browser_->write(data, size);
    if (chunked_) browser_->write("\r\n");
}

}  // namespace lumaro::proxy
