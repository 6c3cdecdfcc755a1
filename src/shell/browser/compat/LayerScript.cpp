#include "shell/browser/compat/LayerScript.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace lumaro::layerscript {
namespace {

QString Json(const QJsonDocument& document) { return QString::fromUtf8(document.toJson(QJsonDocument::Compact)); }

// The match lines keep the layer out of other sites' documents altogether; the
// origin check inside covers what the lines cannot (they do not tell ports
// apart). `config` is what the document is told of its page, null to ask.
QWebEngineScript Wrapped(const QStringList& origins, const QString& config, const QString& source) {
    QString header = QStringLiteral("// ==UserScript==\n");
    for (const QString& origin : origins) header += QStringLiteral("// @match %1/*\n").arg(origin);
    header += QStringLiteral("// ==/UserScript==\n");
    QWebEngineScript script;
    script.setName(Name());
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(header + QStringLiteral(
        "(function LumaroLayer(LUMARO) {\n"
        "var KNOWN = Symbol.for('lumaro.legacy.config');\n"
        "if (!LUMARO) {\n"
        "  if (%1.indexOf(window.origin) < 0) return;\n"
        // A window's later documents (document.open, document.write) are of the page it already knows.
        "  if (Object.prototype.hasOwnProperty.call(window, KNOWN)) LUMARO = window[KNOWN];\n"
        // A document a page makes itself (about:blank) gets the layer from its maker (frames.js);
        // asking from there, while the engine is still making the window, would stall both.
        "  else if (!/^https?:$/.test(location.protocol)) return;\n"
        "  else {\n"
        "    var request = new XMLHttpRequest();\n"
        "    try {\n"
        "      request.open('GET', 'lumaro-ie://program/whoami', false);\n"
        "      request.send(null);\n"
        "      LUMARO = request.status === 200 ? JSON.parse(request.responseText) : null;\n"
        "    } catch (e) { return; }\n"
        "  }\n"
        "}\n"
        "if (!LUMARO || LUMARO.origins.indexOf(window.origin) < 0) return;\n"
        "if (!Object.prototype.hasOwnProperty.call(window, KNOWN))\n"
        "  Object.defineProperty(window, KNOWN, {value: LUMARO, configurable: true});\n")
                             .arg(Json(QJsonDocument(QJsonArray::fromStringList(origins)))) +
                         source + QStringLiteral("\n})(%1);\n").arg(config));
    return script;
}

}  // namespace

QString Name() { return QStringLiteral("lumaro-legacy"); }

QWebEngineScript ForPage(const QStringList& origins, const QJsonObject& config, const QString& source) {
    return Wrapped(origins, Json(QJsonDocument(config)), source);
}

QWebEngineScript ForProfile(const QStringList& origins, const QString& source) {
    return Wrapped(origins, QStringLiteral("null"), source);
}

}  // namespace lumaro::layerscript
