#include "shell/browser/compat/AnswerRewrite.h"

#include <QList>
#include <optional>

#include "shell/browser/compat/SourceRewrite.h"

namespace lumaro {
namespace {

QByteArray HeaderValue(const QByteArray& head, const char* name) {
    for (const QByteArray& line : head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

// A chunked body's data, or nothing when it is not well formed.
std::optional<QByteArray> Unchunk(const QByteArray& body) {
    QByteArray data;
    qsizetype at = 0;
    while (true) {
        const qsizetype eol = body.indexOf("\r\n", at);
        if (eol < 0) return std::nullopt;
        bool ok = false;
        const qlonglong size = body.mid(at, eol - at).split(';').first().trimmed().toLongLong(&ok, 16);
        if (!ok || size < 0 || size > body.size()) return std::nullopt;
        at = eol + 2;
        if (size == 0) return data;  // trailers, if any, are dropped with the chunking
        if (at + size + 2 > body.size() || body.mid(at + size, 2) != "\r\n") return std::nullopt;
        data += body.mid(at, size);
        at += size + 2;
    }
}

}  // namespace

bool AnswerRewrite::Enabled() {
    static const bool enabled = qgetenv("LUMARO_JSCRIPT_REWRITE").trimmed().toLower() != "off";
    return enabled;
}

AnswerRewrite::AnswerRewrite(bool layerOrigin) : mode_(layerOrigin && Enabled() ? Mode::Head : Mode::Stream) {}

QByteArray AnswerRewrite::Pass(const QByteArray& bytes) {
    if (mode_ == Mode::Stream) return bytes;
    if (mode_ == Mode::Head) {
        head_ += bytes;
        const qsizetype end = head_.indexOf("\r\n\r\n");
        if (end < 0) return {};
        body_ = head_.mid(end + 4);
        head_.truncate(end + 4);
        Decide();
        if (mode_ == Mode::Stream) return head_ + body_;
        return {};
    }
    body_ += bytes;
    if (body_.size() > kMaxBody + (chunked_ ? kMaxBody / 8 : 0)) {  // too large to hold: sent on as it comes
        mode_ = Mode::Stream;
        return head_ + body_;
    }
    return {};
}

void AnswerRewrite::Decide() {
    mode_ = Mode::Stream;
    const int status = head_.split(' ').value(1).toInt();
    if (status < 200 || status == 204 || (status >= 300 && status < 400)) return;
    const QByteArray encoding = HeaderValue(head_, "Content-Encoding").toLower();
    if (!encoding.isEmpty() && encoding != "identity") return;
    if (HeaderValue(head_, "Content-Length").toLongLong() > kMaxBody) return;
    const QByteArray type = HeaderValue(head_, "Content-Type");
    const QByteArray essence = type.split(';').first().trimmed().toLower();
    static const QList<QByteArray> scripts = {"text/javascript", "application/javascript", "application/x-javascript",
                                              "text/jscript", "text/ecmascript", "application/ecmascript",
                                              "application/x-ecmascript", "text/x-javascript", "text/x-ecmascript"};
    page_ = essence == "text/html";
    if (!page_ && !scripts.contains(essence)) return;
    for (const QByteArray& parameter : type.split(';').mid(1)) {
        const QByteArray p = parameter.trimmed();
        if (p.toLower().startsWith("charset=")) charset_ = p.mid(8).replace('"', "").replace('\'', "");
    }
    chunked_ = HeaderValue(head_, "Transfer-Encoding").toLower().contains("chunked");
    mode_ = Mode::Keep;
}

QByteArray AnswerRewrite::End() {
    if (mode_ == Mode::Stream) return {};
    if (mode_ == Mode::Head) return std::exchange(head_, {});  // cut off within its head
    mode_ = Mode::Stream;
    const std::optional<QByteArray> data = chunked_ ? Unchunk(body_) : std::optional(body_);
    const std::optional<QByteArray> rewritten =
        data ? RewriteSource(*data, page_ ? SourceKind::Page : SourceKind::Script, charset_) : std::nullopt;
    if (!rewritten) return head_ + body_;
    QByteArray head;
    for (const QByteArray& line : head_.split('\n')) {
        const QByteArray name = line.left(line.indexOf(':')).trimmed().toLower();
        if (line.trimmed().isEmpty() || name == "content-length" || name == "transfer-encoding") continue;
        head += line.trimmed() + "\r\n";
    }
    head += "Content-Length: " + QByteArray::number(rewritten->size()) + "\r\n\r\n";
    return head + *rewritten;
}

}  // namespace lumaro
