#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/browser/compat/jscript/CcValues.h"

// JScript's conditional compilation, carried out on the script's text as
// JScript carried it out when it compiled the script. Once on (@cc_on, or an
// @if or @set outside a comment), the comments `/*@ … @*/` and `//@ …` are
// code; @if/@elif/@else/@end keep one branch and drop the others; @set gives
// a variable a value; @name stands for its value. Everything else, strings,
// regular expressions and other comments included, stays as it was.
namespace lumaro::jscript {

struct CcOutcome {
    enum Kind { Untouched, Rewritten, Failed } kind = Untouched;
    std::string text;  // Rewritten: the script; Failed: why (JScript refused such a script)
};

CcOutcome ApplyConditionalCompilation(std::string_view source, CcState& state);

}  // namespace lumaro::jscript
