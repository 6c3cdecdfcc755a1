#include "shell/browser/compat/jscript/JScriptSource.h"

#include "shell/browser/compat/jscript/ConditionalCompilation.h"
#include "shell/browser/compat/jscript/QualifiedFunctions.h"
#include "shell/browser/compat/jscript/SourceEdits.h"

namespace lumaro::jscript {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

bool IsNamePart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '$' || c == '_' ||
           c == '\\' || static_cast<unsigned char>(c) >= 0x80;
}

// After `function`: a name followed by `.` or `:`. Comments, escapes, entities
// and percent signs between them count as maybe.
bool QualifiedNameAt(std::string_view s, std::size_t i) {
    const auto unsure = [](char c) { return c == '/' || c == '&' || c == '%'; };
    while (i < s.size() && IsSpace(s[i])) ++i;
    if (i >= s.size()) return false;
    if (unsure(s[i]) || static_cast<unsigned char>(s[i]) >= 0x80) return true;
    const std::size_t name = i;
    while (i < s.size() && IsNamePart(s[i])) ++i;
    if (i == name) return false;
    while (i < s.size() && IsSpace(s[i])) ++i;
    return i < s.size() && (s[i] == '.' || s[i] == ':' || unsure(s[i]));
}

}  // namespace

bool MayHaveJScriptSyntax(std::string_view s, bool conditionalOn) {
    if (conditionalOn ? s.find('@') != std::string_view::npos
                      : s.find("@cc_on") != std::string_view::npos || s.find("@if") != std::string_view::npos ||
                            s.find("@set") != std::string_view::npos)
        return true;
    for (std::size_t at = s.find("function"); at != std::string_view::npos; at = s.find("function", at + 8))
        if (QualifiedNameAt(s, at + 8)) return true;
    return false;
}

std::optional<std::string> RewriteScript(std::string_view source, CcState& state) {
    if (!MayHaveJScriptSyntax(source, state.on)) return std::nullopt;
    const CcOutcome cc = ApplyConditionalCompilation(source, state);
    if (cc.kind == CcOutcome::Failed)
        return "throw new SyntaxError(\"JScript 条件编译：" + cc.text + "\");" + LineBreaks(source);
    const std::string_view text = cc.kind == CcOutcome::Rewritten ? std::string_view(cc.text) : source;
    if (std::optional<std::string> bound = BindQualifiedFunctions(text)) return bound;
    if (cc.kind == CcOutcome::Rewritten) return cc.text;
    return std::nullopt;
}

}  // namespace lumaro::jscript
