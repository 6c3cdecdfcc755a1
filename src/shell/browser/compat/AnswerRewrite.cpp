#include "shell/browser/compat/AnswerRewrite.h"

#include <QList>

#include "shell/browser/compat/SourceRewrite.h"
#include "shell/browser/compat/proxy/DeclaredEncoding.h"

namespace lumaro::AnswerRewrite {
namespace {

QByteArray Essence(const QByteArray& contentType) { return contentType.split(';').first().trimmed().toLower(); }

bool IsScript(const QByteArray& essence) {
    static const QList<QByteArray> scripts = {"text/javascript", "application/javascript", "application/x-javascript",
                                              "text/jscript", "text/ecmascript", "application/ecmascript",
                                              "application/x-ecmascript", "text/x-javascript", "text/x-ecmascript"};
    return scripts.contains(essence);
}

}  // namespace

bool Enabled() {
    static const bool enabled = qgetenv("LUMARO_JSCRIPT_REWRITE").trimmed().toLower() != "off";
    return enabled;
}

proxy::WholeAnswerTransform Transform() {
    proxy::WholeAnswerTransform transform;
    transform.limit = kMaxBody;
    transform.wants = [](const QString&, const proxy::Head& answer) {
        if (answer.status < 200 || answer.status == 204 || (answer.status >= 300 && answer.status < 400)) return false;
        const QByteArray encoding = answer.Field("Content-Encoding").trimmed().toLower();
        if (!encoding.isEmpty() && encoding != "identity") return false;
        if (answer.Field("Content-Length").toLongLong() > kMaxBody) return false;
        const QByteArray essence = Essence(answer.Field("Content-Type"));
        return essence == "text/html" || IsScript(essence);
    };
    transform.apply = [](const QString&, const QByteArray& contentType, const QByteArray& body) {
        const SourceKind kind = Essence(contentType) == "text/html" ? SourceKind::Page : SourceKind::Script;
        return RewriteSource(body, kind, proxy::CharsetOf(contentType));
    };
    return transform;
}

}  // namespace lumaro::AnswerRewrite
