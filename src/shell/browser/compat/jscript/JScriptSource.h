#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/browser/compat/jscript/CcValues.h"

// A script of the old pages, in the form today's engine runs with the meaning
// JScript gave it: conditional compilation carried out, then functions with
// qualified names (function window.onload(), function obj::event()) turned
// into what they meant. A script without either is left alone: nullopt, and the
// caller keeps its bytes. Line breaks stay where they were.
namespace lumaro::jscript {

// A cheap look at the bytes (UTF-8 or an ASCII-compatible code page): false
// when they cannot hold either construct. It may say true of text that has
// neither; the passes then find nothing.
bool MayHaveJScriptSyntax(std::string_view bytes, bool conditionalOn);

// The rewritten script, or nullopt when it needs none. `state` carries
// conditional compilation from the page's earlier scripts to the next. A
// script JScript refused to compile (an @if without @end, a condition it
// cannot evaluate) becomes one that throws that SyntaxError, line breaks kept.
std::optional<std::string> RewriteScript(std::string_view source, CcState& state);

}  // namespace lumaro::jscript
