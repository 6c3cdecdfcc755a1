#include "shell/browser/compat/MarkupScripts.h"

#include <gumbo.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <optional>

#include "shell/browser/compat/jscript/JScriptSource.h"

namespace lumaro {
namespace {

using jscript::CcState;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
    });
}

std::string_view TrimAscii(std::string_view s) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; };
    while (!s.empty() && space(s.front())) s.remove_prefix(1);
    while (!s.empty() && space(s.back())) s.remove_suffix(1);
    return s;
}

// As the browser decides whether a script element is a classic script.
bool IsJavaScript(const GumboElement& script) {
    static constexpr std::array<std::string_view, 16> types = {
        "application/ecmascript", "application/javascript", "application/x-ecmascript", "application/x-javascript",
        "text/ecmascript",        "text/javascript",        "text/javascript1.0",       "text/javascript1.1",
        "text/javascript1.2",     "text/javascript1.3",     "text/javascript1.4",       "text/javascript1.5",
        "text/jscript",           "text/livescript",        "text/x-ecmascript",        "text/x-javascript"};
    const auto known = [](std::string_view type) {
        return std::any_of(types.begin(), types.end(), [&](std::string_view t) { return EqualsIgnoringCase(t, type); });
    };
    if (const GumboAttribute* type = gumbo_get_attribute(&script.attributes, "type"))
        return *type->value == '\0' || known(TrimAscii(type->value));
    if (const GumboAttribute* language = gumbo_get_attribute(&script.attributes, "language"))
        return *language->value == '\0' || known("text/" + std::string(language->value));
    return true;
}

// An attribute value's decoded text and, for each of its bytes, where it came
// from in the raw value: character references decode to several bytes, of
// which only the first marks a place that a change may start or end at.
struct Decoded {
    std::string text;
    std::vector<std::size_t> from;  // text.size() + 1 entries
    std::vector<bool> clean;
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// The references scripts in attributes use; a value with others is written anew whole.
Decoded DecodeReferences(std::string_view raw) {
    Decoded d;
    for (std::size_t i = 0; i < raw.size();) {
        const std::size_t start = i, before = d.text.size();
        std::size_t end = i + 1;
        std::string expansion(1, raw[i]);
        if (raw[i] == '&') {
            std::size_t j = i + 1;
            if (j < raw.size() && raw[j] == '#') {
                const bool hex = j + 1 < raw.size() && (raw[j + 1] == 'x' || raw[j + 1] == 'X');
                j += hex ? 2 : 1;
                char32_t cp = 0;
                const std::size_t digits = j;
                while (j < raw.size() && j - digits < 7 &&
                       (hex ? std::isxdigit(static_cast<unsigned char>(raw[j])) : std::isdigit(static_cast<unsigned char>(raw[j])))) {
                    cp = cp * (hex ? 16 : 10) + char32_t(std::isdigit(static_cast<unsigned char>(raw[j])) ? raw[j] - '0' : (raw[j] | 32) - 'a' + 10);
                    ++j;
                }
                if (j > digits && cp >= 0x20 && cp < 0x7F) {  // beyond ASCII the browser's table has its own rules
                    end = j < raw.size() && raw[j] == ';' ? j + 1 : j;
                    expansion.clear();
                    AppendUtf8(expansion, cp);
                }
            } else {
                static constexpr std::pair<std::string_view, std::string_view> named[] = {
                    {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"}};
                for (const auto& [name, value] : named) {
                    if (raw.substr(j, name.size()) != name) continue;
                    const std::size_t after = j + name.size();
                    if (after < raw.size() && raw[after] == ';') end = after + 1;
                    else if (name == "apos" || (after < raw.size() && (std::isalnum(static_cast<unsigned char>(raw[after])) || raw[after] == '=')))
                        break;
                    else end = after;
                    expansion = std::string(value);
                    break;
                }
            }
        }
        d.text += expansion;
        for (std::size_t k = before; k < d.text.size(); ++k) {
            d.from.push_back(start);
            d.clean.push_back(k == before);
        }
        i = end;
    }
    d.from.push_back(raw.size());
    d.clean.push_back(true);
    return d;
}

std::string EscapeForAttribute(std::string_view text, char quote) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '"' && quote != '\'') out += "&quot;";
        else if (c == '\'' && quote == '\'') out += "&#39;";
        else out += c;
    }
    return out;
}

// The smallest span that differs between `a` and `b`: [prefix, a.size() - suffix).
std::pair<std::size_t, std::size_t> Difference(std::string_view a, std::string_view b) {
    std::size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix && a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;
    return {prefix, suffix};
}

// An attribute whose decoded value `before` becomes `after`: the change of its raw text.
TextChange AttributeChange(std::string_view html, const GumboAttribute& attribute, std::string_view before,
                           std::string_view after) {
    const std::string_view raw(attribute.original_value.data, attribute.original_value.length);
    const std::size_t at = static_cast<std::size_t>(attribute.original_value.data - html.data());
    const char quote = raw.front() == '"' || raw.front() == '\'' ? raw.front() : '\0';
    const std::string_view inner = quote ? raw.substr(1, raw.size() >= 2 ? raw.size() - 2 : 0) : raw;
    const Decoded d = DecodeReferences(inner);
    if (!quote || d.text != before)  // write the whole value anew, quoted
        return {at, at + raw.size(), "\"" + EscapeForAttribute(after, '"') + "\""};
    auto [prefix, suffix] = Difference(before, after);
    std::size_t end = before.size() - suffix;
    while (!d.clean[prefix]) --prefix;
    while (!d.clean[end]) ++end;
    suffix = before.size() - end;
    const std::size_t offset = at + (quote ? 1 : 0);
    return {offset + d.from[prefix], offset + d.from[end],
            EscapeForAttribute(after.substr(prefix, after.size() - suffix - prefix), quote)};
}

// javascript: addresses: the script is the percent-decoded rest of the address.
std::optional<std::string> RewriteScriptAddress(std::string_view value, CcState& state) {
    std::size_t start = 0;
    while (start < value.size() && static_cast<unsigned char>(value[start]) <= 0x20) ++start;
    if (!EqualsIgnoringCase(value.substr(start, 11), "javascript:")) return std::nullopt;
    const std::size_t codeAt = start + 11;
    std::string code;
    std::vector<std::size_t> from;  // where each decoded byte stands in the value
    for (std::size_t i = codeAt; i < value.size();) {
        from.push_back(i);
        if (value[i] == '%' && i + 2 < value.size() + 0 && std::isxdigit(static_cast<unsigned char>(value[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(value[i + 2]))) {
            code += char(std::stoi(std::string(value.substr(i + 1, 2)), nullptr, 16));
            i += 3;
        } else {
            code += value[i++];
        }
    }
    from.push_back(value.size());
    const std::optional<std::string> rewritten = jscript::RewriteScript(code, state);
    if (!rewritten) return std::nullopt;
    const auto [prefix, suffix] = Difference(code, *rewritten);
    std::string middle;
    for (char c : std::string_view(*rewritten).substr(prefix, rewritten->size() - suffix - prefix))
        middle += c == '%' ? std::string("%25") : std::string(1, c);
    return std::string(value.substr(0, from[prefix])) + middle + std::string(value.substr(from[code.size() - suffix]));
}

struct Found {
    enum Kind { Script, Handler, Address } kind;
    std::size_t offset;
    const GumboNode* node;
    const GumboAttribute* attribute;
};

// What a <noscript> holds is raw text to a browser that runs scripts, up to its
// end tag, wherever the parser (which runs none) put the elements in it.
std::vector<std::pair<std::size_t, std::size_t>> RawTextOf(std::string_view html, std::vector<std::size_t> noscripts) {
    std::sort(noscripts.begin(), noscripts.end());
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    std::size_t end = 0;
    for (const std::size_t start : noscripts) {
        if (start < end) continue;  // inside the previous one
        end = start;
        while ((end = html.find("</", end + 1)) != std::string_view::npos &&
               !EqualsIgnoringCase(html.substr(end + 2, 8), "noscript")) {
        }
        if (end == std::string_view::npos) end = html.size();
        ranges.emplace_back(start, end);
    }
    return ranges;
}

// The HTML parser takes time that grows faster than the nesting of elements;
// pages nested deeper than any page a person wrote are passed on as sent. A
// rough count: elements that need no end tag and the text of scripts, styles,
// text areas and comments do not count.
bool NestedWithinReach(std::string_view html) {
    constexpr int kMaxDepth = 1000;
    static constexpr std::string_view open[] = {"br", "img", "input", "hr", "meta", "link", "p", "td", "tr",
                                                "th", "li", "option", "area", "base", "col", "param", "wbr",
                                                "embed", "dd", "dt", "frame", "basefont", "source", "track"};
    int depth = 0;
    for (std::size_t i = html.find('<'); i != std::string_view::npos; i = html.find('<', i + 1)) {
        if (html.substr(i, 4) == "<!--") {
            i = html.find("-->", i + 4);
            if (i == std::string_view::npos) break;
            continue;
        }
        const bool closing = i + 1 < html.size() && html[i + 1] == '/';
        std::size_t j = i + (closing ? 2 : 1), k = j;
        while (k < html.size() && std::isalnum(static_cast<unsigned char>(html[k]))) ++k;
        if (k == j) continue;
        std::string name(html.substr(j, k - j));
        for (char& ch : name) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        if (closing) {
            depth = std::max(0, depth - 1);
            continue;
        }
        if (std::find(std::begin(open), std::end(open), name) != std::end(open)) continue;
        if (++depth > kMaxDepth) return false;
        if (name == "script" || name == "style" || name == "textarea" || name == "xmp") {
            while (i != std::string_view::npos) {
                i = html.find("</", i + 1);
                if (i == std::string_view::npos || EqualsIgnoringCase(html.substr(i + 2, name.size()), name)) break;
            }
            if (i == std::string_view::npos) break;
            --depth;
        }
    }
    return true;
}

std::vector<Found> FindScripts(std::string_view html, const GumboNode* root) {
    std::vector<Found> found;
    std::vector<std::size_t> noscripts;
    std::vector<const GumboNode*> pending{root};  // no recursion: pages nest as deep as they like
    while (!pending.empty()) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        const GumboVector* children = nullptr;
        if (node->type == GUMBO_NODE_DOCUMENT) {
            children = &node->v.document.children;
        } else if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) {
            const GumboElement& e = node->v.element;
            if (e.tag == GUMBO_TAG_NOSCRIPT && e.original_tag.length) noscripts.push_back(e.start_pos.offset);
            children = &e.children;
            // Handlers in VBScript (language="vbscript", "vbscript:") are the VBScript interpreter's.
            const GumboAttribute* language = gumbo_get_attribute(&e.attributes, "language");
            const bool vbscript = language && EqualsIgnoringCase(TrimAscii(language->value).substr(0, 3), "vbs");
            for (unsigned i = 0; i < e.attributes.length; ++i) {
                const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
                if (a->original_value.length == 0) continue;
                const std::string_view name = a->name;
                const std::size_t at = a->value_start.offset;
                const bool vbscriptHandler = vbscript || EqualsIgnoringCase(TrimAscii(a->value).substr(0, 9), "vbscript:");
                if (name.size() > 2 && name.substr(0, 2) == "on" && !vbscriptHandler)
                    found.push_back({Found::Handler, at, node, a});
                else if (name == "href" || name == "src" || name == "action") found.push_back({Found::Address, at, node, a});
            }
            if (e.tag == GUMBO_TAG_SCRIPT && e.children.length > 0 && IsJavaScript(e) &&
                !gumbo_get_attribute(&e.attributes, "src"))
                found.push_back({Found::Script, e.start_pos.offset, node, nullptr});
        }
        if (children)
            for (unsigned i = children->length; i-- > 0;) pending.push_back(static_cast<const GumboNode*>(children->data[i]));
    }
    const auto raw = RawTextOf(html, noscripts);
    std::erase_if(found, [&](const Found& f) {
        return std::any_of(raw.begin(), raw.end(), [&](const auto& r) { return f.offset > r.first && f.offset < r.second; });
    });
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.offset < b.offset; });
    return found;
}

// The raw text of a script element, from its first text to the end of its last.
std::optional<std::pair<std::size_t, std::size_t>> ScriptText(std::string_view html, const GumboElement& e) {
    std::size_t begin = html.size(), end = 0;
    for (unsigned i = 0; i < e.children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(e.children.data[i]);
        if (child->type != GUMBO_NODE_TEXT && child->type != GUMBO_NODE_WHITESPACE) return std::nullopt;
        const GumboText& t = child->v.text;
        if (!t.original_text.data) continue;
        const auto at = static_cast<std::size_t>(t.original_text.data - html.data());
        begin = std::min(begin, at);
        end = std::max(end, at + t.original_text.length);
    }
    if (begin >= end) return std::nullopt;
    return std::pair{begin, end};
}

}  // namespace

std::vector<TextChange> RewritePageScripts(std::string_view html) {
    std::vector<TextChange> changes;
    if (!jscript::MayHaveJScriptSyntax(html, false) || !NestedWithinReach(html)) return changes;
    const std::unique_ptr<GumboOutput, void (*)(GumboOutput*)> output(
        gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size()),
        [](GumboOutput* o) { gumbo_destroy_output(&kGumboDefaultOptions, o); });
    CcState state;
    for (const Found& f : FindScripts(html, output->document)) {
        if (f.kind == Found::Script) {
            const auto span = ScriptText(html, f.node->v.element);
            if (!span) continue;
            const std::string_view text = html.substr(span->first, span->second - span->first);
            const std::optional<std::string> rewritten = jscript::RewriteScript(text, state);
            if (!rewritten) continue;
            const auto [prefix, suffix] = Difference(text, *rewritten);
            changes.push_back({span->first + prefix, span->second - suffix,
                               rewritten->substr(prefix, rewritten->size() - suffix - prefix)});
        } else {
            const std::string_view value = f.attribute->value;
            const std::optional<std::string> rewritten = f.kind == Found::Handler
                                                             ? jscript::RewriteScript(value, state)
                                                             : RewriteScriptAddress(value, state);
            if (rewritten && *rewritten != value) changes.push_back(AttributeChange(html, *f.attribute, value, *rewritten));
        }
    }
    std::sort(changes.begin(), changes.end(), [](const TextChange& a, const TextChange& b) { return a.begin < b.begin; });
    return changes;
}

}  // namespace lumaro
