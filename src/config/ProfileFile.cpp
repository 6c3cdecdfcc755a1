#include "config/ProfileFile.h"

#include <algorithm>
#include <optional>

#include "platform/TextBytes.h"

namespace lumaro::profile {

namespace {

// Bytes of the character that starts at `i`. In GBK a lead byte only pairs
// with a proper trail byte, so it never swallows a line end, a blank or an "=".
std::size_t CharLength(std::string_view s, std::size_t i, Charset charset) {
    if (charset == Charset::Gbk) return platform::AnsiCharLength(s, i);
    return std::max<std::size_t>(1, platform::Utf8SequenceLength(s, i));
}

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// One line of the text: its content [begin, end) and its line end [end, next).
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

// LF, CR LF and a lone CR each end a line.
Line LineAt(std::string_view text, std::size_t begin) {
    std::size_t end = begin;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    std::size_t next = end;
    if (next < text.size()) {
        next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
    }
    return {begin, end, next};
}

// What a line is, once trimmed.
struct Entry {
    enum Kind { Blank, Heading, Key } kind = Blank;
    std::string_view name;                  // section name or key name
    std::optional<std::string_view> value;  // key lines with an "=" only
};

Entry Classify(std::string_view line, Charset charset) {
    const auto text = TrimBlanks(line);
    if (text.empty()) return {};
    if (text.front() == '[') {
        // The name runs to the last "]" that is a character of its own.
        std::size_t close = std::string_view::npos;
        for (std::size_t i = 1; i < text.size(); i += CharLength(text, i, charset)) {
            if (text[i] == ']') close = i;
        }
        if (close != std::string_view::npos) return {Entry::Heading, TrimBlanks(text.substr(1, close - 1)), {}};
    }
    // "=" (0x3D) is never part of a longer character, so the first such byte is the first "=".
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) return {Entry::Key, text, {}};
    return {Entry::Key, TrimBlanks(text.substr(0, equals)), TrimBlanks(text.substr(equals + 1))};
}

// Where a key of a section stands in the text.
struct Location {
    bool sectionFound = false;
    std::optional<Line> keyLine;          // the first line of the key in that section
    std::optional<std::string_view> value;
    Line lastNonBlank;                    // of the section, its heading included
};

bool IsHeadingLine(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    return i < line.size() && line[i] == '[';  // a "[" line without "]" is re-checked by Classify
}

Location Locate(std::string_view text, std::string_view section, std::string_view key, Charset charset) {
    Location found;
    bool beforeFirstHeading = true;
    bool inSection = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        pos = line.next;
        const auto content = text.substr(line.begin, line.end - line.begin);
        // Outside the wanted section only headings matter; skip the rest cheaply.
        if (!inSection && !(beforeFirstHeading && section.empty()) && !IsHeadingLine(content)) continue;
        const Entry entry = Classify(content, charset);
        if (entry.kind == Entry::Blank) continue;
        if (entry.kind == Entry::Heading) {
            beforeFirstHeading = false;
            // Only the first section of a name counts, and the one named "" comes before every heading.
            if (inSection || section.empty()) break;
            if (NamesEqual(entry.name, section, charset)) {
                inSection = found.sectionFound = true;
                found.lastNonBlank = line;
            }
            continue;
        }
        if (!inSection) {
            // Lines before the first heading form the section with the empty name.
            if (!beforeFirstHeading || !section.empty()) continue;
            inSection = found.sectionFound = true;
        }
        found.lastNonBlank = line;
        if (NamesEqual(entry.name, key, charset)) {
            found.keyLine = line;
            found.value = entry.value;
            break;
        }
    }
    return found;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

std::string_view TrimBlanks(std::string_view text) {
    // Blanks are never trail bytes, so trimming bytes never splits a character.
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool NamesEqual(std::string_view a, std::string_view b, Charset charset) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t n = CharLength(a, i, charset);
        if (n != CharLength(b, i, charset)) return false;
        if (n == 1) {
            if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
        } else if (a.substr(i, n) != b.substr(i, n)) {
            return false;
        }
        i += n;
    }
    return true;
}

std::string ReadValue(std::string_view content, std::string_view section, std::string_view key, std::size_t limit,
                      Charset charset) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (key.empty()) return {};
    const Location at = Locate(content, section, key, charset);
    if (!at.value) return {};
    std::string_view value = *at.value;
    if (const auto zero = value.find('\0'); zero != std::string_view::npos) value = value.substr(0, zero);
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    std::size_t kept = 0;
    while (kept < value.size()) {
        const std::size_t n = CharLength(value, kept, charset);
        if (kept + n > limit) break;  // a character that does not fit whole is left out
        kept += n;
    }
    return std::string(value.substr(0, kept));
}

std::string WriteValue(std::string_view content, std::string_view section, std::string_view key,
                       std::string_view value, Charset charset) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    std::string line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key).append("=").append(value);

    const Location at = Locate(content, section, key, charset);
    std::string out;
    out.reserve(content.size() + line.size() + section.size() + 8);
    if (at.keyLine) {
        out.append(content.substr(0, at.keyLine->begin)).append(line).append(content.substr(at.keyLine->end));
    } else if (at.sectionFound) {
        const Line& last = at.lastNonBlank;
        out.append(content.substr(0, last.next));
        if (last.next == last.end) out.append("\r\n");  // the last line of the file had no line end
        out.append(line).append("\r\n").append(content.substr(last.next));
    } else if (section.empty()) {
        // The section without a heading is the start of the text.
        out.append(line).append("\r\n").append(content);
    } else {
        out.append(content);
        if (!content.empty() && content.back() != '\n' && content.back() != '\r') out.append("\r\n");
        out.append("[").append(section).append("]\r\n").append(line).append("\r\n");
    }
    return out;
}

bool HoldsValue(std::string_view content, std::string_view section, std::string_view key, Charset charset) {
    key = TrimBlanks(key);
    return !key.empty() && Locate(content, TrimBlanks(section), key, charset).value.has_value();
}

std::string RemoveValue(std::string_view content, std::string_view section, std::string_view key,
                        Charset charset) {
    key = TrimBlanks(key);
    const Location at = key.empty() ? Location{} : Locate(content, TrimBlanks(section), key, charset);
    if (!at.value) return std::string(content);  // a "key" line without "=" holds no value to remove
    return std::string(content.substr(0, at.keyLine->begin)).append(content.substr(at.keyLine->next));
}

}  // namespace lumaro::profile
