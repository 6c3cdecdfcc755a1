#pragma once

#include <QByteArray>

#include "shell/browser/compat/proxy/ProxyState.h"

// What the proxy does with JScript's syntax in an answer of the layer's
// plain-http server: its pages and scripts, whole, are rewritten with
// JScript's meaning (SourceRewrite.h) and sent with a Content-Length to match;
// everything else (style sheets, other statuses, compressed answers), and
// anything larger than kMaxBody, passes as it comes.
namespace lumaro::AnswerRewrite {

inline constexpr qsizetype kMaxBody = 8 * 1024 * 1024;

// The proxy's whole-answer transform for it.
proxy::WholeAnswerTransform Transform();

// LUMARO_JSCRIPT_REWRITE=off (read once) sends every answer as it came: for
// measuring what the rewriting costs.
bool Enabled();

}  // namespace lumaro::AnswerRewrite
