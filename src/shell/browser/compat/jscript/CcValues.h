#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "shell/browser/compat/jscript/JsLexer.h"

// The values of JScript's conditional compilation and the expressions of its
// @if, @elif and @set, evaluated as JScript did when it compiled the script.
namespace lumaro::jscript {

using CcValue = std::variant<double, bool>;  // numbers and booleans only

// What conditional compilation has reached: shared by the scripts of one page
// in their order, as JScript shared it between the scripts of a window.
struct CcState {
    bool on = false;
    std::map<std::string, CcValue, std::less<>> variables;  // set with @set; predefined ones are not here
};

// A variable's value: what @set gave it, else what JScript 5.7 of IE 7 on 32-bit
// Windows predefined, else NaN (an undefined variable reads as NaN).
CcValue Variable(const CcState& state, std::string_view name);

// The value as a token of script text, e.g. 5.7, true, NaN, -1.
std::string Spell(const CcValue& value);
bool Truthy(const CcValue& value);

// Reads an expression from the lexer's tokens, starting with `first`, and
// leaves in `*next` the token after it and in `*end` where its last token ended. Numbers, true, false, @variables,
// parentheses, the unary ! ~ - + and the binary operators of ECMAScript on
// numbers and booleans. Nothing else: an error (nullopt) for anything else or
// for nesting deeper than any real condition.
std::optional<CcValue> Evaluate(Lexer& lexer, Token first, Token* next, std::size_t* end, const CcState& state);

}  // namespace lumaro::jscript
