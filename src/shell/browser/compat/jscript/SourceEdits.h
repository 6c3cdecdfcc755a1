#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Changes to a script's text that keep its lines: whatever a change removes,
// its line breaks stay, so the engine's messages still name the page's lines.
namespace lumaro::jscript {

class SourceEdits {
public:
    explicit SourceEdits(std::string_view source) : source_(source) {}

    // `text` in place of [begin, end), followed by the line breaks that were there.
    void Replace(std::size_t begin, std::size_t end, std::string text);
    void Remove(std::size_t begin, std::size_t end) { Replace(begin, end, {}); }
    // Insertions at one place keep the order they were made in, before any replacement there.
    void Insert(std::size_t at, std::string text) { Replace(at, at, std::move(text)); }

    bool Empty() const { return edits_.empty(); }
    std::string Apply() const;

private:
    struct Edit {
        std::size_t begin, end;
        std::string text;
    };
    std::string_view source_;
    std::vector<Edit> edits_;
};

// The line terminators of `text` in order (\r\n, \n, \r, U+2028, U+2029).
std::string LineBreaks(std::string_view text);

}  // namespace lumaro::jscript
