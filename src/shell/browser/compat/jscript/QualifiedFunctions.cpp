#include "shell/browser/compat/jscript/QualifiedFunctions.h"

#include <vector>

#include "shell/browser/compat/jscript/JsLexer.h"
#include "shell/browser/compat/jscript/SourceEdits.h"

namespace lumaro::jscript {
namespace {

bool IsBody(Group g) { return g == Group::Body || g == Group::ExprBody; }

// What follows the closing brace of a rewritten function's body.
struct Closing {
    std::size_t depth;  // the bracket depth inside that body
    std::string text;
};

class Pass {
public:
    explicit Pass(std::string_view source) : lexer_(source, false), edits_(source) {}

    std::optional<std::string> Run() {
        Token t = Significant();
        while (t.kind != Tok::End) {
            if (lexer_.Overflowed()) return std::nullopt;
            if (t.IsWord("function") && !prev_.Is(".") && !prev_.Is("?.")) {
                t = Function(t);
                continue;
            }
            if (t.Is("}") && IsBody(t.group)) Closed(t);
            prev_ = t;
            t = Significant();
        }
        if (!rewritten_) return std::nullopt;
        return edits_.Apply();
    }

private:
    Token Significant() {
        Token t = lexer_.Next();
        while (t.kind == Tok::Comment) t = lexer_.Next();
        return t;
    }

    // After the keyword `function`: rewrites a qualified declaration and returns
    // the token after its name (its parameters' parenthesis), or whatever came
    // instead of a name (that the loop goes on with).
    Token Function(const Token& keyword) {
        const bool statement = !keyword.expressionStart;
        const auto& stack = lexer_.Stack();
        const bool scopeTop = stack.empty() || IsBody(stack.back().group);
        const bool guarded = (prev_.Is(")") && prev_.group == Group::ControlParen) || prev_.IsWord("else") ||
                             prev_.IsWord("do") || prev_.Is(":");
        std::size_t scopeStart = 0;
        for (auto it = stack.rbegin(); it != stack.rend(); ++it)
            if (IsBody(it->group)) {
                scopeStart = it->after;
                break;
            }
        prev_ = keyword;

        std::vector<Token> names, dots;
        Token event{};
        Token t = Significant();
        if (t.kind != Tok::Identifier) return t;
        names.push_back(t);
        for (t = Significant(); t.Is("."); t = Significant()) {
            dots.push_back(t);
            t = Significant();
            if (t.kind != Tok::Identifier) return t;
            names.push_back(t);
        }
        if (t.Is("::")) {
            dots.push_back(t);
            event = Significant();
            if (event.kind != Tok::Identifier) return event;
            t = Significant();
        }
        if (!t.Is("(") || (dots.empty())) return t;  // an ordinary declaration, or one JScript refused too

        std::string path;
        for (const Token& name : names) path += (path.empty() ? "" : ".") + std::string(name.text);
        for (const Token& dot : dots) edits_.Remove(dot.begin, dot.end);
        for (std::size_t i = 1; i < names.size(); ++i) edits_.Remove(names[i].begin, names[i].end);
        std::string closing;
        if (event.kind == Tok::Identifier) {
            edits_.Remove(names[0].begin, names[0].end);
            edits_.Remove(event.begin, event.end);
            edits_.Replace(keyword.begin, keyword.end,
                           std::string(statement ? ";" : "") +
                               "(function(o,n,f){if(o.attachEvent)o.attachEvent(n,f);"
                               "else o.addEventListener(n.slice(0,2)==\"on\"?n.slice(2):n,f)})(" +
                               path + ",\"" + std::string(event.text) + "\",function");
            closing = statement ? ");" : ")";
        } else if (statement && scopeTop && !guarded) {
            std::string name = "jscript";
            for (const Token& part : names) name += "$" + std::string(part.text);
            edits_.Replace(names[0].begin, names[0].end, name);
            edits_.Insert(scopeStart, path + "=" + name + ";");
        } else {
            edits_.Remove(names[0].begin, names[0].end);
            edits_.Replace(keyword.begin, keyword.end, (statement ? "" : "(") + path + "=function");
            closing = statement ? ";" : ")";
        }
        if (!closing.empty()) closings_.push_back({lexer_.Stack().size(), closing});
        rewritten_ = true;
        prev_ = t;
        return Significant();
    }

    void Closed(const Token& brace) {
        const std::size_t depth = lexer_.Stack().size() + 1;
        for (auto it = closings_.rbegin(); it != closings_.rend(); ++it) {
            if (it->depth != depth) continue;
            edits_.Insert(brace.end, it->text);
            closings_.erase(std::next(it).base());
            return;
        }
    }

    Lexer lexer_;
    SourceEdits edits_;
    Token prev_;
    std::vector<Closing> closings_;
    bool rewritten_ = false;
};

}  // namespace

std::optional<std::string> BindQualifiedFunctions(std::string_view source) { return Pass(source).Run(); }

}  // namespace lumaro::jscript
