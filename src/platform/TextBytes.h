#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Where characters begin and end in UTF-8 and in code page 936 bytes; shared
// by the code-page conversions of every system, so they cut text alike.
namespace lumaro::platform {

// Length of the well-formed UTF-8 sequence at `i` (no overlongs, no
// surrogates, nothing beyond U+10FFFF), or 0 when there is none.
inline std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c >= 0xE0 && c <= 0xEF) n = 3;
    else if (c >= 0xF0 && c <= 0xF4) n = 4;
    else return 0;
    if (i + n > s.size()) return 0;
    std::uint32_t cp = c & (0x7Fu >> n);
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3Fu);
    }
    if (n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) return 0;
    if (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) return 0;
    return n;
}

// Bytes of the code page 936 character at `i`: a lead byte with a proper
// trail byte is one character, anything else stands alone.
inline std::size_t AnsiCharLength(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x81 || lead > 0xFE || i + 1 >= s.size()) return 1;
    const auto trail = static_cast<unsigned char>(s[i + 1]);
    return (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) ? 2 : 1;
}

}  // namespace lumaro::platform
