#include "shell/browser/compat/jscript/SourceEdits.h"

#include <algorithm>

namespace lumaro::jscript {

std::string LineBreaks(std::string_view text) {
    std::string breaks;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            breaks += text[i];
        } else if (text.substr(i, 3) == "\xE2\x80\xA8" || text.substr(i, 3) == "\xE2\x80\xA9") {
            breaks += text.substr(i, 3);
            i += 2;
        }
    }
    return breaks;
}

void SourceEdits::Replace(std::size_t begin, std::size_t end, std::string text) {
    edits_.push_back({begin, end, std::move(text)});
}

std::string SourceEdits::Apply() const {
    std::vector<const Edit*> order;
    for (const Edit& e : edits_) order.push_back(&e);
    std::stable_sort(order.begin(), order.end(), [](const Edit* a, const Edit* b) {
        if (a->begin != b->begin) return a->begin < b->begin;
        return (a->begin == a->end) && (b->begin != b->end);  // insertions first
    });
    std::string out;
    out.reserve(source_.size() + 64);
    std::size_t copied = 0;
    for (const Edit* e : order) {
        if (e->begin < copied) continue;  // overlapping: the passes never make such edits
        out.append(source_.substr(copied, e->begin - copied));
        out += e->text;
        out += LineBreaks(source_.substr(e->begin, e->end - e->begin));
        copied = e->end;
    }
    out.append(source_.substr(copied));
    return out;
}

}  // namespace lumaro::jscript
