#include "shell/browser/compat/jscript/JsLexer.h"

#include <algorithm>
#include <array>

namespace lumaro::jscript {
namespace {

// Deeper than any script a person wrote; past it the lexer stops tracking
// brackets (and says so) rather than growing without bound.
constexpr std::size_t kMaxDepth = 100000;

bool IsAsciiIdentifierPart(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '$' || c == '_';
}

// The code point of the UTF-8 sequence at `at` and its length; a stray byte counts alone.
char32_t Decode(std::string_view s, std::size_t at, std::size_t* length) {
    const auto c = static_cast<unsigned char>(s[at]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (at + n > s.size()) n = 1;
    char32_t cp = n == 1 ? c : c & (0xFF >> (n + 1));
    for (std::size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[at + k]) & 0x3F);
    *length = n;
    return cp;
}

bool IsUnicodeSpace(char32_t cp) {
    return cp == 0xA0 || cp == 0x1680 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x202F || cp == 0x205F ||
           cp == 0x3000 || cp == 0xFEFF;
}

constexpr std::array<std::string_view, 52> kPunctuators = {
    ">>>=", "...", "===", "!==", "**=", "<<=", ">>=", ">>>", "&&=", "||=", "?\?=", "=>", "==", "!=",
    "<=",   ">=",  "&&",  "||",  "??",  "?.",  "++",  "--",  "+=",  "-=",  "*=",  "/=", "%=", "&=",
    "|=",   "^=",  "<<",  ">>",  "**",  "::",  "{",   "}",   "(",   ")",   "[",   "]",  ";",  ",",
    "<",    ">",   "+",   "-",   "*",   "%",   "&",   "|",   "^",   "!"};

}  // namespace

bool IsKeywordBeforeExpression(std::string_view w) {
    static constexpr std::array<std::string_view, 17> words = {
        "return", "typeof", "instanceof", "in", "of",   "new",  "delete", "void",   "throw",
        "case",   "do",     "else",       "yield", "await", "try", "finally", "extends"};
    return std::find(words.begin(), words.end(), w) != words.end();
}

Lexer::Lexer(std::string_view source, bool conditional) : s_(source), conditional_(conditional) {}

bool Lexer::AtLineTerminator(std::size_t at, std::size_t* length) const {
    std::size_t n = 0;
    if (s_[at] == '\n') n = 1;
    else if (s_[at] == '\r') n = at + 1 < s_.size() && s_[at + 1] == '\n' ? 2 : 1;
    else if (s_.substr(at, 3) == "\xE2\x80\xA8" || s_.substr(at, 3) == "\xE2\x80\xA9") n = 3;
    if (length) *length = n;
    return n > 0;
}

bool Lexer::AtSpace(std::size_t at, std::size_t* length) const {
    const char c = s_[at];
    if (c == ' ' || c == '\t' || c == '\v' || c == '\f') {
        *length = 1;
        return true;
    }
    if (static_cast<unsigned char>(c) < 0x80) return false;
    return IsUnicodeSpace(Decode(s_, at, length));
}

bool Lexer::SkipSpace() {
    bool newline = false;
    std::size_t n = 0;
    while (pos_ < s_.size()) {
        if (AtLineTerminator(pos_, &n)) {
            newline = true;
            lineStart_ = true;
            if (region_ == Region::Line) region_ = Region::None;
        } else if (!AtSpace(pos_, &n)) {
            break;
        }
        pos_ += n;
    }
    return newline;
}

std::size_t Lexer::LineEnd(std::size_t at) const {
    while (at < s_.size() && !AtLineTerminator(at)) ++at;
    return at;
}

std::size_t Lexer::IdentifierEnd(std::size_t at) const {
    while (at < s_.size()) {
        const auto c = static_cast<unsigned char>(s_[at]);
        if (IsAsciiIdentifierPart(c)) {
            ++at;
        } else if (c == '\\' && at + 1 < s_.size() && s_[at + 1] == 'u') {
            at += 2;  // \uXXXX or \u{...}: the hex digits follow as identifier parts
            if (at < s_.size() && s_[at] == '{') {
                const std::size_t close = s_.find('}', at);
                at = close == std::string_view::npos || close - at > 8 ? at + 1 : close + 1;
            }
        } else if (c >= 0x80) {
            std::size_t n = 0;
            const char32_t cp = Decode(s_, at, &n);
            if (IsUnicodeSpace(cp) || cp == 0x2028 || cp == 0x2029) break;
            at += n;
        } else {
            break;
        }
    }
    return at;
}

// From the opening quote to after the closing one; an unterminated string ends
// before its line break, as the engine reports it.
std::size_t Lexer::StringEnd(std::size_t at) const {
    const char quote = s_[at++];
    std::size_t n = 0;
    while (at < s_.size()) {
        const char c = s_[at];
        if (c == quote) return at + 1;
        if (c == '\\') {
            ++at;
            if (at < s_.size() && AtLineTerminator(at, &n)) at += n;  // a line continuation
            else if (at < s_.size()) at += 1;
            continue;
        }
        if (c == '\n' || c == '\r') return at;
        ++at;
    }
    return at;
}

// From after "`" or "}" to after the closing "`" or the next "${".
std::size_t Lexer::TemplateEnd(std::size_t at, bool* substitution) const {
    *substitution = false;
    while (at < s_.size()) {
        const char c = s_[at];
        if (c == '\\') {
            at += 2;
        } else if (c == '`') {
            return at + 1;
        } else if (c == '$' && at + 1 < s_.size() && s_[at + 1] == '{') {
            *substitution = true;
            return at + 2;
        } else {
            ++at;
        }
    }
    return std::min(at, s_.size());
}

std::size_t Lexer::RegexEnd(std::size_t at) const {
    bool inClass = false;
    ++at;
    while (at < s_.size() && !AtLineTerminator(at)) {
        const char c = s_[at];
        if (c == '\\') {
            ++at;
            if (at < s_.size() && !AtLineTerminator(at)) ++at;
            continue;
        }
        if (c == '[') inClass = true;
        else if (c == ']') inClass = false;
        else if (c == '/' && !inClass) return IdentifierEnd(at + 1);  // its flags
        ++at;
    }
    return at;
}

std::size_t Lexer::NumberEnd(std::size_t at) const {
    while (at < s_.size()) {
        const char c = s_[at];
        if (IsAsciiIdentifierPart(static_cast<unsigned char>(c)) || c == '.') {
            ++at;
        } else if ((c == '+' || c == '-') && (s_[at - 1] == 'e' || s_[at - 1] == 'E')) {
            ++at;
        } else {
            break;
        }
    }
    return at;
}

std::size_t Lexer::PunctEnd(std::size_t at) const {
    for (std::string_view p : kPunctuators) {
        if (s_.substr(at, p.size()) != p) continue;
        // `a?.5:b` is a conditional, not optional chaining.
        if (p == "?." && at + 2 < s_.size() && s_[at + 2] >= '0' && s_[at + 2] <= '9') continue;
        return at + p.size();
    }
    return at + 1;  // `.`, `=`, `?`, `:`, `~`, `/` and anything unknown, alone
}

Lexer::After Lexer::Leaves(const Token& t) const {
    switch (t.kind) {
    case Tok::End: return After::Statement;
    case Tok::Identifier:
        if (t.text == "else" || t.text == "do" || t.text == "try" || t.text == "finally") return After::Statement;
        return IsKeywordBeforeExpression(t.text) ? After::Expression : After::Value;
    case Tok::Template:
        return t.text.size() >= 2 && t.text.substr(t.text.size() - 2) == "${" ? After::Expression : After::Value;
    case Tok::Punct:
        if (t.text == ")") return prevClosedControl_ ? After::Statement : After::Value;
        if (t.text == "]" || t.text == "++" || t.text == "--") return After::Value;
        if (t.text == "}")
            return lastClosed_ == Group::Object || lastClosed_ == Group::ExprBody ? After::Value : After::Statement;
        if (t.text == ";" || t.text == "{") return After::Statement;
        return After::Expression;
    default: return After::Value;  // numbers, strings, regular expressions, conditional variables
    }
}

Token Lexer::Make(Tok kind, std::size_t begin, std::size_t end) {
    Token t;
    t.kind = kind;
    t.begin = begin;
    t.end = end;
    t.text = s_.substr(begin, end - begin);
    pos_ = end;
    return t;
}

Token Lexer::Bracket(std::size_t begin, std::size_t end) {
    Token t = Make(Tok::Punct, begin, end);
    const char c = s_[begin];
    const auto push = [&](Group g) {
        t.group = g;
        if (stack_.size() < kMaxDepth) stack_.push_back({g, end});
        else overflow_ = true;
    };
    const auto pop = [&](std::initializer_list<Group> kinds) {
        if (!stack_.empty() && std::find(kinds.begin(), kinds.end(), stack_.back().group) != kinds.end()) {
            t.group = stack_.back().group;
            stack_.pop_back();
            return true;
        }
        return false;
    };
    if (c == '(') {
        static constexpr std::array<std::string_view, 6> control = {"if", "while", "for", "with", "switch", "catch"};
        const bool isControl = (prev_.kind == Tok::Identifier &&
                                std::find(control.begin(), control.end(), prev_.text) != control.end()) ||
                               afterDirective_;
        push(pendingFunction_ ? Group::ParamsParen : isControl ? Group::ControlParen : Group::Paren);
        afterDirective_ = false;
        if (pendingFunction_ && !stack_.empty()) stack_.back().expression = pendingFunctionExpr_;
        pendingFunction_ = false;
    } else if (c == ')') {
        const bool expr = !stack_.empty() && stack_.back().expression;
        pop({Group::Paren, Group::ControlParen, Group::ParamsParen});
        prevClosedControl_ = t.group == Group::ControlParen;
        prevClosedParams_ = t.group == Group::ParamsParen;
        prevClosedParamsExpr_ = expr;
    } else if (c == '[') {
        push(Group::Bracket);
    } else if (c == ']') {
        pop({Group::Bracket});
    } else if (c == '{') {
        Group g = Group::Block;
        if (prev_.Is(")")) {
            g = prevClosedParams_ ? (prevClosedParamsExpr_ ? Group::ExprBody : Group::Body)
                : prevClosedControl_ ? Group::Block
                                     : Group::Body;  // a method written short
        } else if (prev_.Is("=>")) {
            g = Group::ExprBody;
        } else if (Leaves(prev_) == After::Expression) {
            const bool label = prev_.Is(":") && !stack_.empty() && (stack_.back().group == Group::Block ||
                                                                    stack_.back().group == Group::Body ||
                                                                    stack_.back().group == Group::ExprBody);
            g = label ? Group::Block : Group::Object;
        }
        push(g);
    } else if (c == '}') {
        if (pop({Group::Block, Group::Object, Group::Body, Group::ExprBody})) lastClosed_ = t.group;
        else lastClosed_ = Group::Block;
    }
    return t;
}

Token Lexer::Next() {
    if (SkipSpace()) newline_ = true;
    const std::size_t begin = pos_;
    const auto finish = [&](Token t) {
        t.newlineBefore = newline_;
        const bool significant = t.kind != Tok::Comment && t.kind != Tok::CcOpen && t.kind != Tok::CcClose &&
                                 !(t.kind == Tok::At && IsDirective(t.text));
        if (t.kind == Tok::Comment) {
            for (std::size_t i = t.begin; i < t.end; ++i)
                if (AtLineTerminator(i)) newline_ = lineStart_ = true;
            return t;
        }
        if (!significant) {
            afterDirective_ = t.kind == Tok::At && (t.text == "@if" || t.text == "@elif");
            return t;
        }
        const After after = Leaves(prev_);
        t.expressionStart = after == After::Expression || (after == After::Value && !newline_);
        if (t.IsWord("function") && !prev_.Is(".") && !prev_.Is("?.")) {
            pendingFunction_ = true;
            pendingFunctionExpr_ = t.expressionStart;
        }
        if (!t.Is(")")) prevClosedControl_ = prevClosedParams_ = false;
        if (!t.Is("(")) afterDirective_ = false;
        prev_ = t;
        newline_ = false;
        lineStart_ = false;
        return t;
    };

    if (pos_ >= s_.size()) return Make(Tok::End, pos_, pos_);
    const char c = s_[pos_];
    const char next = pos_ + 1 < s_.size() ? s_[pos_ + 1] : '\0';
    const auto ccOnAt = [&](std::size_t at) {
        return s_.substr(at, 6) == "@cc_on" && IdentifierEnd(at + 1) == at + 6;
    };

    if (region_ == Region::Block) {
        if (s_.substr(pos_, 3) == "@*/") {
            region_ = Region::None;
            return finish(Make(Tok::CcClose, begin, pos_ + 3));
        }
        if (s_.substr(pos_, 2) == "*/") {
            region_ = Region::None;
            return finish(Make(Tok::CcClose, begin, pos_ + 2));
        }
    }
    if (c == '/' && (next == '*' || next == '/')) {
        const bool conditional = conditional_ && pos_ + 2 < s_.size() && s_[pos_ + 2] == '@' &&
                                 (ccOn_ || ccOnAt(pos_ + 2));
        if (conditional) {
            if (region_ == Region::None) region_ = next == '*' ? Region::Block : Region::Line;
            return finish(Make(Tok::CcOpen, begin, pos_ + 2));
        }
        if (next == '*') {
            const std::size_t close = s_.find("*/", pos_ + 2);
            return finish(Make(Tok::Comment, begin, close == std::string_view::npos ? s_.size() : close + 2));
        }
        return finish(Make(Tok::Comment, begin, LineEnd(pos_)));
    }
    // HTML-like comments, which browsers still take as line comments in classic scripts.
    if (s_.substr(pos_, 4) == "<!--" || (lineStart_ && s_.substr(pos_, 3) == "-->"))
        return finish(Make(Tok::Comment, begin, LineEnd(pos_)));
    if (c == '@' && conditional_) return finish(Make(Tok::At, begin, IdentifierEnd(pos_ + 1)));

    const auto u = static_cast<unsigned char>(c);
    if ((IsAsciiIdentifierPart(u) && !(c >= '0' && c <= '9')) || c == '\\' || u >= 0x80) {
        const std::size_t end = IdentifierEnd(pos_);
        return finish(Make(Tok::Identifier, begin, end > pos_ ? end : pos_ + 1));
    }
    if ((c >= '0' && c <= '9') || (c == '.' && next >= '0' && next <= '9'))
        return finish(Make(Tok::Number, begin, NumberEnd(pos_ + 1)));
    if (c == '"' || c == '\'') return finish(Make(Tok::String, begin, StringEnd(pos_)));
    bool substitution = false;
    if (c == '`' || (c == '}' && !stack_.empty() && stack_.back().group == Group::Substitution)) {
        if (c == '}') stack_.pop_back();
        Token t = Make(Tok::Template, begin, TemplateEnd(pos_ + 1, &substitution));
        if (substitution) {
            if (stack_.size() < kMaxDepth) stack_.push_back({Group::Substitution, t.end});
            else overflow_ = true;
        }
        return finish(t);
    }
    if (c == '/') {
        if (Leaves(prev_) != After::Value) return finish(Make(Tok::Regex, begin, RegexEnd(pos_)));
        return finish(Make(Tok::Punct, begin, next == '=' ? pos_ + 2 : pos_ + 1));
    }
    const std::size_t end = PunctEnd(pos_);
    if (c == '(' || c == ')' || c == '[' || c == ']' || c == '{' || c == '}') return finish(Bracket(begin, end));
    return finish(Make(Tok::Punct, begin, end));
}

bool IsDirective(std::string_view at) {
    return at == "@cc_on" || at == "@if" || at == "@elif" || at == "@else" || at == "@end" || at == "@set" ||
           at == "@";
}

}  // namespace lumaro::jscript
