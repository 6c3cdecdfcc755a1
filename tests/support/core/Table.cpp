#include "core/Table.h"

#include <sstream>
#include <stdexcept>

#include "core/TempDir.h"

namespace lumaro::test {

namespace {

// A code point in UTF-8; a surrogate is encoded like any other value below 0x10000.
std::string Utf8(unsigned long c) {
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    if (c < 0x800) return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
}

// The text an escape stands for; `at` is just past the backslash and moves past the escape.
std::string Unescape(const std::string& line, std::size_t& at) {
    const char c = line.at(at++);
    const auto hex = [&](std::size_t digits) {
        at += digits;
        return std::stoul(line.substr(at - digits, digits), nullptr, 16);
    };
    switch (c) {
    case 'r': return "\r";
    case 'n': return "\n";
    case 't': return "\t";
    case 'v': return "\v";
    case 'f': return "\f";
    case '0': return std::string(1, '\0');
    case 'x': return std::string(1, static_cast<char>(hex(2)));
    case 'u': return Utf8(hex(4));
    default: return std::string(1, c);  // \\ and \"
    }
}

Row ParseRow(const std::string& line) {
    Row row;
    bool inField = false, quoted = false;
    for (std::size_t at = 0; at < line.size();) {
        const char c = line[at++];
        if (!quoted && (c == ' ' || c == '\t')) {
            inField = false;
            continue;
        }
        if (!inField) row.emplace_back();
        inField = true;
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted && c == '\\') {
            row.back() += Unescape(line, at);
        } else {
            row.back() += c;
        }
    }
    if (quoted) throw std::runtime_error("a quote left open: " + line);
    return row;
}

}  // namespace

std::vector<Row> ReadTable(const std::string& file) {
    std::istringstream text(ReadBytes(file));
    std::vector<Row> rows;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line[first] != '#') rows.push_back(ParseRow(line));
    }
    if (rows.empty()) throw std::runtime_error("no rows in " + file);
    return rows;
}

}  // namespace lumaro::test
