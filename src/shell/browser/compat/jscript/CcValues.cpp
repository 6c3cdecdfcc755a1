#include "shell/browser/compat/jscript/CcValues.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lumaro::jscript {
namespace {

constexpr int kMaxNesting = 64;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Number(const CcValue& v) {
    if (const bool* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
    return std::get<double>(v);
}

std::int32_t Int32(const CcValue& v) {
    const double d = Number(v);
    if (!std::isfinite(d)) return 0;
    const double m = std::fmod(std::trunc(d), 4294967296.0);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(m < 0 ? m + 4294967296.0 : m)));
}

bool StrictlyEqual(const CcValue& a, const CcValue& b) {
    if (a.index() != b.index()) return false;
    if (const bool* x = std::get_if<bool>(&a)) return *x == std::get<bool>(b);
    return std::get<double>(a) == std::get<double>(b);
}

// Recursive descent over the lexer's tokens, one token of lookahead; the
// depth counts nested parentheses and unary operators.
class Parser {
public:
    Parser(Lexer& lexer, Token first, const CcState& state) : lexer_(lexer), cur_(first), state_(state) {
        SkipComments();
    }

    std::optional<CcValue> Expression(int depth = 0) { return Binary(0, depth); }
    Token Current() const { return cur_; }
    std::size_t ConsumedEnd() const { return consumedEnd_; }

private:
    void Advance() {
        consumedEnd_ = cur_.end;
        cur_ = lexer_.Next();
        SkipComments();
    }
    void SkipComments() {
        while (cur_.kind == Tok::Comment) cur_ = lexer_.Next();
    }

    // Binary operators from the loosest to the tightest.
    static int Level(const Token& t) {
        if (t.kind != Tok::Punct) return -1;
        static const std::string_view levels[][4] = {
            {"||"}, {"&&"}, {"|"}, {"^"}, {"&"}, {"==", "!=", "===", "!=="}, {"<", ">", "<=", ">="},
            {"<<", ">>", ">>>"}, {"+", "-"}, {"*", "/", "%"}};
        for (int level = 0; level < 10; ++level)
            for (std::string_view op : levels[level])
                if (!op.empty() && t.text == op) return level;
        return -1;
    }

    std::optional<CcValue> Binary(int level, int depth) {
        if (level == 10) return Unary(depth);
        std::optional<CcValue> left = Binary(level + 1, depth);
        while (left && Level(cur_) == level) {
            const std::string_view op = cur_.text;
            Advance();
            const std::optional<CcValue> right = Binary(level + 1, depth);
            if (!right) return std::nullopt;
            left = Apply(op, *left, *right);
        }
        return left;
    }

    static CcValue Apply(std::string_view op, const CcValue& a, const CcValue& b) {
        const double x = Number(a), y = Number(b);
        if (op == "||") return Truthy(a) ? a : b;
        if (op == "&&") return Truthy(a) ? b : a;
        if (op == "|") return double(Int32(a) | Int32(b));
        if (op == "^") return double(Int32(a) ^ Int32(b));
        if (op == "&") return double(Int32(a) & Int32(b));
        if (op == "==") return a.index() == b.index() ? StrictlyEqual(a, b) : x == y;
        if (op == "!=") return !(a.index() == b.index() ? StrictlyEqual(a, b) : x == y);
        if (op == "===") return StrictlyEqual(a, b);
        if (op == "!==") return !StrictlyEqual(a, b);
        if (op == "<") return x < y;
        if (op == ">") return x > y;
        if (op == "<=") return x <= y;
        if (op == ">=") return x >= y;
        const int shift = Int32(b) & 31;
        if (op == "<<") return double(static_cast<std::int32_t>(static_cast<std::uint32_t>(Int32(a)) << shift));
        if (op == ">>") return double(Int32(a) >> shift);
        if (op == ">>>") return double(static_cast<std::uint32_t>(Int32(a)) >> shift);
        if (op == "+") return x + y;
        if (op == "-") return x - y;
        if (op == "*") return x * y;
        if (op == "/") return x / y;
        return std::fmod(x, y);  // %
    }

    std::optional<CcValue> Unary(int depth) {
        if (depth > kMaxNesting) return std::nullopt;
        if (cur_.Is("!") || cur_.Is("~") || cur_.Is("-") || cur_.Is("+")) {
            const char op = cur_.text[0];
            Advance();
            const std::optional<CcValue> v = Unary(depth + 1);
            if (!v) return std::nullopt;
            if (op == '!') return !Truthy(*v);
            if (op == '~') return double(~Int32(*v));
            return op == '-' ? -Number(*v) : Number(*v);
        }
        return Primary(depth);
    }

    std::optional<CcValue> Primary(int depth) {
        const Token t = cur_;
        if (t.Is("(")) {
            Advance();
            std::optional<CcValue> v = Expression(depth + 1);
            if (!v || !cur_.Is(")")) return std::nullopt;
            Advance();
            return v;
        }
        if (t.kind == Tok::At && t.text.size() > 1 && !IsDirective(t.text)) {
            Advance();
            return Variable(state_, t.text.substr(1));
        }
        if (t.IsWord("true") || t.IsWord("false")) {
            Advance();
            return t.text == "true";
        }
        if (t.kind == Tok::Number) {
            const std::optional<double> n = ParseNumber(t.text);
            if (!n) return std::nullopt;
            Advance();
            return *n;
        }
        return std::nullopt;
    }

    static std::optional<double> ParseNumber(std::string_view text) {
        const char* first = text.data();
        const char* last = first + text.size();
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            std::uint64_t n = 0;
            const auto [end, error] = std::from_chars(first + 2, last, n, 16);
            if (error != std::errc() || end != last) return std::nullopt;
            return double(n);
        }
        double d = 0;
        const auto [end, error] = std::from_chars(first, last, d);
        if (error != std::errc() || end != last) return std::nullopt;
        return d;
    }

    Lexer& lexer_;
    Token cur_;
    const CcState& state_;
    std::size_t consumedEnd_ = 0;
};

}  // namespace

CcValue Variable(const CcState& state, std::string_view name) {
    if (const auto it = state.variables.find(name); it != state.variables.end()) return it->second;
    // JScript 5.7, the engine of IE 7, on 32-bit Windows on an x86 processor.
    if (name == "_jscript_version") return 5.7;
    if (name == "_jscript_build") return 5730.0;
    if (name == "_jscript" || name == "_win32" || name == "_x86" || name == "_microsoft") return true;
    return kNaN;
}

std::string Spell(const CcValue& value) {
    if (const bool* b = std::get_if<bool>(&value)) return *b ? "true" : "false";
    const double d = std::get<double>(value);
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d < 0 ? "-Infinity" : "Infinity";
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, d);
    return error == std::errc() ? std::string(buffer, end) : "NaN";
}

bool Truthy(const CcValue& value) {
    if (const bool* b = std::get_if<bool>(&value)) return *b;
    const double d = std::get<double>(value);
    return d != 0 && !std::isnan(d);
}

std::optional<CcValue> Evaluate(Lexer& lexer, Token first, Token* next, std::size_t* end, const CcState& state) {
    Parser parser(lexer, first, state);
    std::optional<CcValue> value = parser.Expression();
    *next = parser.Current();
    *end = parser.ConsumedEnd();
    return value;
}

}  // namespace lumaro::jscript
