#include "shell/browser/compat/SourceRewrite.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <string_view>
#include <vector>

#include "shell/browser/compat/MarkupScripts.h"
#include "shell/browser/compat/jscript/JScriptSource.h"

namespace lumaro {
namespace {

// The encoding a label names, as browsers read labels: GB2312 pages are GBK.
QByteArray Encoding(const QByteArray& label) {
    const QByteArray l = label.trimmed().toLower();
    if (l.isEmpty() || l == "gb2312" || l == "gb_2312" || l == "gb_2312-80" || l == "chinese" || l == "csgb2312" ||
        l == "x-gbk" || l == "gbk" || l == "iso-ir-58" || l == "csiso58gb231280")
        return "GBK";
    return l;
}

// The text changes in encoded bytes: each segment between them must encode
// back to exactly the bytes it came from, else nothing is rewritten.
std::optional<QByteArray> Encode(const QByteArray& original, const std::string& utf8,
                                 const std::vector<TextChange>& changes, const QByteArray& encoding) {
    QStringEncoder encoder(encoding.constData());
    QStringDecoder decoder(encoding.constData());
    QByteArray out;
    out.reserve(original.size() + 256);
    qsizetype at = 0;  // in `original`
    std::size_t from = 0;  // in `utf8`
    const auto encode = [&](std::string_view text) {
        return QByteArray(encoder(QString::fromUtf8(text.data(), qsizetype(text.size()))));
    };
    const auto same = [&](std::string_view text) {
        const QByteArray bytes = encode(text);
        if (original.mid(at, bytes.size()) != bytes) return qsizetype(-1);
        return bytes.size();
    };
    for (const TextChange& change : changes) {
        const std::string_view unchanged = std::string_view(utf8).substr(from, change.begin - from);
        const qsizetype kept = same(unchanged);
        if (kept < 0) return std::nullopt;
        out += original.mid(at, kept);
        at += kept;
        const qsizetype replaced = same(std::string_view(utf8).substr(change.begin, change.end - change.begin));
        if (replaced < 0) return std::nullopt;
        const QByteArray text = encode(change.text);
        if (encoder.hasError() || QString(decoder(text)) != QString::fromStdString(change.text)) return std::nullopt;
        out += text;
        at += replaced;
        from = change.end;
    }
    const qsizetype rest = same(std::string_view(utf8).substr(from));
    if (rest < 0 || at + rest != original.size()) return std::nullopt;
    out += original.mid(at);
    return out;
}

}  // namespace

std::optional<QByteArray> RewriteSource(const QByteArray& body, SourceKind kind, const QByteArray& charset) {
    QByteArray encoding = Encoding(charset);
    qsizetype bom = 0;
    if (body.startsWith("\xEF\xBB\xBF")) encoding = "UTF-8", bom = 3;
    else if (body.startsWith("\xFE\xFF")) encoding = "UTF-16BE", bom = 2;
    else if (body.startsWith("\xFF\xFE")) encoding = "UTF-16LE", bom = 2;
    const QByteArray bytes = body.mid(bom);
    const bool asciiCompatible = !encoding.startsWith("utf-16") && !encoding.startsWith("UTF-16") &&
                                 !encoding.startsWith("utf-32");
    // The cheap look first: almost every answer stops here.
    if (asciiCompatible && !jscript::MayHaveJScriptSyntax(std::string_view(bytes.constData(), bytes.size()), false))
        return std::nullopt;

    QStringDecoder decoder(encoding.constData());
    if (!decoder.isValid()) return std::nullopt;
    const QString text = decoder(bytes);
    if (decoder.hasError()) return std::nullopt;
    QStringEncoder encoder(encoding.constData());
    if (QByteArray(encoder(text)) != bytes || encoder.hasError()) return std::nullopt;

    const std::string utf8 = text.toStdString();
    std::vector<TextChange> changes;
    if (kind == SourceKind::Page) {
        changes = RewritePageScripts(utf8);
    } else {
        jscript::CcState state;
        if (std::optional<std::string> script = jscript::RewriteScript(utf8, state))
            changes.push_back({0, utf8.size(), std::move(*script)});
    }
    if (changes.empty()) return std::nullopt;
    const std::optional<QByteArray> encoded = Encode(bytes, utf8, changes, encoding);
    if (!encoded) return std::nullopt;
    return body.left(bom) + *encoded;
}

}  // namespace lumaro
