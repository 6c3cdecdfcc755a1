#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The tokens of a script as the old pages wrote it, with exact byte positions
// in its UTF-8 text, for the passes that give JScript's own syntax IE's
// meaning. Strings, template literals (nested ${}), regular expressions,
// comments, HTML-like comments and line continuations are single tokens, so
// nothing inside them is ever taken for code. Every call advances, and no
// state grows without bound but the stack of open brackets, kept as a vector.
namespace lumaro::jscript {

enum class Tok {
    End,
    Identifier,  // names and keywords
    Number,
    String,
    Template,  // a whole template literal, or its piece up to `${` or from `}`
    Regex,
    Punct,
    Comment,  // block, line and HTML-like comments
    CcOpen,   // `/*@` or `//@` opening JScript's conditional code (its `/*` or `//`)
    CcClose,  // `@*/` or `*/` closing it
    At,       // `@name`, or a lone `@`
};

// What an opening bracket began, as far as the lexer tells from the tokens
// before it; what a closing one ends.
enum class Group { Paren, ControlParen, ParamsParen, Bracket, Block, Object, Body, ExprBody, Substitution };

struct Token {
    Tok kind = Tok::End;
    std::size_t begin = 0, end = 0;
    bool newlineBefore = false;  // a line break since the previous token (comments included)
    bool expressionStart = false;  // the token stands where an expression begins, not a statement
    Group group = Group::Paren;  // for brackets: what the bracket opens or closes
    std::string_view text;
    bool Is(std::string_view punct) const { return kind == Tok::Punct && text == punct; }
    bool IsWord(std::string_view word) const { return kind == Tok::Identifier && text == word; }
};

class Lexer {
public:
    // With `conditional`, `/*@` and `//@` comments that JScript executed are
    // tokens of code once conditional compilation is on (or when they start
    // with @cc_on), and `@name` is a token; without, they are comments.
    Lexer(std::string_view source, bool conditional);

    Token Next();
    void SetConditionalOn() { ccOn_ = true; }

    struct Open {
        Group group;
        std::size_t after;  // the offset just after the bracket
        bool expression = false;  // parameters of a function expression
    };
    // The brackets open before the next token, innermost last.
    const std::vector<Open>& Stack() const { return stack_; }
    // Brackets nested deeper than any real script: the passes leave such a script alone.
    bool Overflowed() const { return overflow_; }

private:
    enum class Region { None, Block, Line };
    enum class After { Statement, Expression, Value };  // what the previous token leaves

    Token Make(Tok kind, std::size_t begin, std::size_t end);
    bool SkipSpace();  // returns whether a line break was passed
    bool AtLineTerminator(std::size_t at, std::size_t* length = nullptr) const;
    bool AtSpace(std::size_t at, std::size_t* length) const;
    std::size_t IdentifierEnd(std::size_t at) const;
    std::size_t StringEnd(std::size_t at) const;
    std::size_t TemplateEnd(std::size_t at, bool* substitution) const;
    std::size_t RegexEnd(std::size_t at) const;
    std::size_t NumberEnd(std::size_t at) const;
    std::size_t PunctEnd(std::size_t at) const;
    std::size_t LineEnd(std::size_t at) const;
    Token Bracket(std::size_t begin, std::size_t end);
    After Leaves(const Token& token) const;

    std::string_view s_;
    std::size_t pos_ = 0;
    bool conditional_, ccOn_ = false;
    Region region_ = Region::None;
    bool lineStart_ = true;  // only blanks and comments so far on this line (for `-->`)
    std::vector<Open> stack_;
    Token prev_;  // the last token that is not a comment or a conditional delimiter
    bool prevClosedControl_ = false, prevClosedParams_ = false, prevClosedParamsExpr_ = false;
    bool pendingFunction_ = false, pendingFunctionExpr_ = false;
    bool newline_ = false, afterDirective_ = false, overflow_ = false;
    Group lastClosed_ = Group::Paren;
};

bool IsKeywordBeforeExpression(std::string_view word);
// `@cc_on`, `@if`, `@elif`, `@else`, `@end`, `@set` and a lone `@`: the
// statements of conditional compilation, as opposed to its variables.
bool IsDirective(std::string_view at);

}  // namespace lumaro::jscript
