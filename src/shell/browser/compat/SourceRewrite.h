#pragma once

#include <QByteArray>
#include <optional>

// The bytes of a page or an external script of the agency's server, in their
// encoding, with JScript's syntax given its meaning (MarkupScripts.h,
// jscript/JScriptSource.h). Decoded as the browser decodes them (a byte-order
// mark first, else the charset the answer is labelled with), rewritten, and
// encoded back in the same encoding: every byte outside the rewritten spans
// stays as it was. GBK's trail bytes (0x40-0x7E, '\' and '@' among them) are
// read as parts of their characters, never as ASCII.
namespace lumaro {

enum class SourceKind { Page, Script };

// nullopt: nothing to rewrite, or bytes that do not decode and encode back
// exactly (those are passed on as sent).
std::optional<QByteArray> RewriteSource(const QByteArray& body, SourceKind kind, const QByteArray& charset);

}  // namespace lumaro
