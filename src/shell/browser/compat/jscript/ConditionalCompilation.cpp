#include "shell/browser/compat/jscript/ConditionalCompilation.h"

#include <vector>

#include "shell/browser/compat/jscript/SourceEdits.h"

namespace lumaro::jscript {
namespace {

// One @if…@end: whether its current branch is kept, and whether one was.
struct Branch {
    bool parentKept, kept, taken;
};

class Pass {
public:
    Pass(std::string_view source, CcState& state) : s_(source), state_(state), lexer_(source, true), edits_(source) {
        if (state.on) lexer_.SetConditionalOn();
    }

    CcOutcome Run() {
        Token t = lexer_.Next();
        while (t.kind != Tok::End) {
            if (lexer_.Overflowed()) return {};
            if (t.kind == Tok::CcOpen || t.kind == Tok::CcClose) {
                if (Kept()) edits_.Remove(t.begin, t.end);
                changed_ = true;
            } else if (t.kind == Tok::At) {
                if (!state_.on) {
                    if (t.text != "@cc_on" && t.text != "@if" && t.text != "@set") {
                        t = lexer_.Next();
                        continue;  // no conditional compilation: the engine reports the stray `@`
                    }
                    state_.on = true;
                    lexer_.SetConditionalOn();
                }
                changed_ = true;
                std::optional<Token> next = Directive(t);
                if (!next) return {CcOutcome::Failed, error_};
                t = *next;
                continue;
            }
            t = lexer_.Next();
        }
        if (!branches_.empty()) return {CcOutcome::Failed, "@if 缺少对应的 @end"};
        if (!changed_) return {};
        return {CcOutcome::Rewritten, edits_.Apply()};
    }

private:
    bool Kept() const { return branches_.empty() || branches_.back().kept; }

    // A directive or variable at `t`; the token after it, or nothing on an error.
    std::optional<Token> Directive(const Token& t) {
        const std::string_view name = t.text.substr(1);
        const bool wasKept = Kept();
        if (!wasKept && name != "if" && name != "elif" && name != "else" && name != "end")
            return lexer_.Next();  // inside a dropped branch: part of what is dropped
        if (!wasKept) edits_.Remove(skipFrom_, t.begin);
        std::size_t end = t.end;
        Token next{};
        bool haveNext = false;
        if (name == "if" || name == "elif") {
            if (name == "elif" && branches_.empty()) return Error("@elif 前面没有 @if");
            const bool parentKept = name == "if" ? wasKept : branches_.back().parentKept;
            const bool alreadyTaken = name == "elif" && branches_.back().taken;
            bool value = false;
            if (parentKept && !alreadyTaken) {
                const std::optional<bool> condition = Condition(&next, &end);
                if (!condition) return Error("@" + std::string(name) + " 的条件无法计算");
                value = *condition;
                haveNext = true;
            }
            if (name == "if") branches_.push_back({parentKept, parentKept && value, value});
            else branches_.back() = {parentKept, parentKept && !alreadyTaken && value, alreadyTaken || value};
        } else if (name == "else") {
            if (branches_.empty()) return Error("@else 前面没有 @if");
            Branch& b = branches_.back();
            b = {b.parentKept, b.parentKept && !b.taken, true};
        } else if (name == "end") {
            if (branches_.empty()) return Error("@end 前面没有 @if");
            branches_.pop_back();
        } else if (name == "set") {
            Token variable = lexer_.Next();
            while (variable.kind == Tok::Comment) variable = lexer_.Next();
            Token equals = lexer_.Next();
            while (equals.kind == Tok::Comment) equals = lexer_.Next();
            if (variable.kind != Tok::At || variable.text.size() < 2 || IsDirective(variable.text) ||
                !equals.Is("="))
                return Error("@set 应写作 @set @名称 = 值");
            const std::optional<CcValue> value = Evaluate(lexer_, lexer_.Next(), &next, &end, state_);
            if (!value) return Error("@set 的值无法计算");
            state_.variables[std::string(variable.text.substr(1))] = *value;
            haveNext = true;
        } else if (name.empty() || name == "cc_on") {
            // the `@` of a delimiter, and the switch itself: nothing to keep
        } else {
            edits_.Replace(t.begin, t.end, Padded(Spell(Variable(state_, name)), t));
            return lexer_.Next();
        }
        if (Kept()) edits_.Remove(t.begin, end);
        else skipFrom_ = t.begin;  // the directive and what follows are dropped together
        return haveNext ? next : lexer_.Next();
    }

    // `( expression )` after @if or @elif, as a boolean.
    std::optional<bool> Condition(Token* next, std::size_t* end) {
        Token open = lexer_.Next();
        while (open.kind == Tok::Comment) open = lexer_.Next();
        if (!open.Is("(")) return std::nullopt;
        const std::optional<CcValue> value = Evaluate(lexer_, open, next, end, state_);
        if (!value) return std::nullopt;
        return Truthy(*value);
    }

    // A value in place of a variable must stay a token of its own, also where
    // delimiters around it go: blanks where a neighbour could run into it.
    std::string Padded(std::string value, const Token& at) const {
        const auto free = [](char c, std::string_view around) {
            return c == ' ' || c == '\t' || c == '\n' || c == '\r' || around.find(c) != std::string_view::npos;
        };
        const char before = at.begin > 0 ? s_[at.begin - 1] : ' ';
        const char after = at.end < s_.size() ? s_[at.end] : ' ';
        if (!free(before, "([{,;=!?:") || (value[0] == '-' && before != ' ')) value.insert(0, " ");
        if (!free(after, ")]},;:?")) value += ' ';
        return value;
    }

    std::nullopt_t Error(std::string why) {
        error_ = std::move(why);
        return std::nullopt;
    }

    std::string_view s_;
    CcState& state_;
    Lexer lexer_;
    SourceEdits edits_;
    std::vector<Branch> branches_;
    std::size_t skipFrom_ = 0;
    bool changed_ = false;
    std::string error_;
};

}  // namespace

CcOutcome ApplyConditionalCompilation(std::string_view source, CcState& state) {
    return Pass(source, state).Run();
}

}  // namespace lumaro::jscript
