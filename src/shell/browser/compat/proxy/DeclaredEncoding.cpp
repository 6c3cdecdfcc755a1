#include "shell/browser/compat/proxy/DeclaredEncoding.h"

#include <QList>
#include <cctype>

namespace lumaro::proxy {
namespace {

bool Space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }
char Lower(char c) { return char(std::tolower(static_cast<unsigned char>(c))); }
bool Letter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

bool StartsWithNoCase(QByteArrayView text, qsizetype at, const char* word) {
    for (qsizetype i = 0; word[i]; ++i)
        if (at + i >= text.size() || Lower(text[at + i]) != word[i]) return false;
    return true;
}

// The "get an attribute" step of the prescan: a name and a value from `at`,
// or false at the tag's end.
bool NextAttribute(QByteArrayView text, qsizetype& at, QByteArray& name, QByteArray& value) {
    name.clear();
    value.clear();
    while (at < text.size() && (Space(text[at]) || text[at] == '/')) ++at;
    if (at >= text.size() || text[at] == '>') return false;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '=' && !name.isEmpty()) break;
        if (Space(c) || c == '/' || c == '>') return true;  // a name without a value
        name += Lower(c);
        ++at;
    }
    if (at >= text.size()) return false;
    ++at;  // '='
    while (at < text.size() && Space(text[at])) ++at;
    if (at >= text.size()) return false;
    if (text[at] == '"' || text[at] == '\'') {
        const char quote = text[at++];
        while (at < text.size() && text[at] != quote) value += Lower(text[at++]);
        if (at >= text.size()) return false;
        ++at;
        return true;
    }
    while (at < text.size() && !Space(text[at]) && text[at] != '>') value += Lower(text[at++]);
    return true;
}

// The charset a Content-Type value names, if any.
QByteArray CharsetIn(QByteArrayView content) {
    const QByteArray lower = content.toByteArray().toLower();
    qsizetype at = 0;
    while ((at = lower.indexOf("charset", at)) >= 0) {
        at += 7;
        while (at < lower.size() && Space(lower[at])) ++at;
        if (at >= lower.size() || lower[at] != '=') continue;
        ++at;
        while (at < lower.size() && Space(lower[at])) ++at;
        if (at >= lower.size()) return {};
        const char quote = lower[at] == '"' || lower[at] == '\'' ? lower[at] : 0;
        if (quote) ++at;
        QByteArray name;
        while (at < lower.size() && lower[at] != quote && (quote || (!Space(lower[at]) && lower[at] != ';')))
            name += lower[at++];
        return name;
    }
    return {};
}

QByteArray MetaDeclares(QByteArrayView text, qsizetype& at) {
    QByteArray name, value, charset;
    bool gotPragma = false, needPragma = false;
    QList<QByteArray> seen;
    while (NextAttribute(text, at, name, value)) {
        if (seen.contains(name)) continue;
        seen << name;
        if (name == "http-equiv") {
            gotPragma = gotPragma || value == "content-type";
        } else if (name == "content" && charset.isEmpty()) {
            charset = CharsetIn(value);
            needPragma = !charset.isEmpty();
        } else if (name == "charset") {
            charset = value.trimmed();
            needPragma = false;
        }
    }
    return !needPragma || gotPragma ? charset : QByteArray();
}

}  // namespace

QByteArray CharsetOf(const QByteArray& contentType) { return CharsetIn(contentType); }

QByteArray DeclaredEncoding(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return "utf-8";
    if (bytes.startsWith("\xFE\xFF")) return "utf-16be";
    if (bytes.startsWith("\xFF\xFE")) return "utf-16le";
    const QByteArrayView text = bytes.first(std::min(bytes.size(), kPrescanBytes));
    qsizetype at = 0;
    while (at < text.size()) {
        if (text.sliced(at).startsWith("<!--")) {
            const qsizetype end = text.toByteArray().indexOf("-->", at + 2);
            if (end < 0) return {};
            at = end + 3;
        } else if (StartsWithNoCase(text, at, "<meta") && at + 5 < text.size() &&
                   (Space(text[at + 5]) || text[at + 5] == '/')) {
            at += 5;
            const QByteArray charset = MetaDeclares(text, at);
            if (!charset.isEmpty()) return charset;
        } else if (text[at] == '<' && at + 1 < text.size() &&
                   (Letter(text[at + 1]) || (text[at + 1] == '/' && at + 2 < text.size() && Letter(text[at + 2])))) {
            // Another tag: its name, then its attributes, which may hide a '>'.
            while (at < text.size() && !Space(text[at]) && text[at] != '>') ++at;
            QByteArray name, value;
            while (NextAttribute(text, at, name, value)) {
            }
            ++at;
        } else if (text.sliced(at).startsWith("<!") || text.sliced(at).startsWith("</") ||
                   text.sliced(at).startsWith("<?")) {
            while (at < text.size() && text[at] != '>') ++at;
            ++at;
        } else {
            ++at;
        }
    }
    return {};
}

bool IsPage(const QByteArray& contentType) {
    return contentType.split(';').first().trimmed().toLower() == "text/html";
}

QByteArray LabelPage(const QByteArray& contentType, QByteArrayView firstBytes) {
    if (!IsPage(contentType) || !CharsetIn(contentType).isEmpty() || !DeclaredEncoding(firstBytes).isEmpty())
        return contentType;
    return contentType.trimmed() + "; charset=GBK";
}

}  // namespace lumaro::proxy
