#include "config/ProfileText.h"

#include <cstdint>

#include "platform/TextBytes.h"

namespace lumaro::profile {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16Mark = "\xFF\xFE";
constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUtf16(std::string& out, std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

bool IsHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the sequence at `i` that stands for one UTF-16 unit or a pair:
// well-formed UTF-8, or the three-byte form of an unpaired surrogate.
std::size_t UnitSequenceLength(std::string_view s, std::size_t i) {
    if (const std::size_t n = platform::Utf8SequenceLength(s, i)) return n;
    const auto c = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const bool surrogate = i + 2 < s.size() && c(0) == 0xED && c(1) >= 0xA0 && c(1) <= 0xBF && IsContinuation(c(2));
    return surrogate ? 3 : 0;
}

std::uint32_t DecodeSequence(std::string_view s, std::size_t i, std::size_t n) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::uint32_t code = n == 1 ? lead : lead & (0x7Fu >> n);
    for (std::size_t k = 1; k < n; ++k) code = (code << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3Fu);
    return code;
}

}  // namespace

Encoding EncodingOf(std::string_view bytes) {
    if (bytes.starts_with(Utf16Mark)) return Encoding::Utf16;
    if (bytes.starts_with(Utf8Mark)) return Encoding::Utf8;
    // Chinese text in UTF-8 takes three bytes a character. A few GBK characters can pass for two-byte UTF-8
    // (转, D7 AA, for U+05EA): those alone do not make a file UTF-8.
    bool wide = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = platform::Utf8SequenceLength(bytes, i);
        if (n == 0) return Encoding::Ansi;
        wide = wide || n >= 3;
        i += n;
    }
    return wide ? Encoding::Utf8NoMark : Encoding::Ansi;
}

ProfileText DecodeText(std::string bytes) {
    ProfileText result;
    result.encoding = EncodingOf(bytes);
    switch (result.encoding) {
        case Encoding::Ansi:
        case Encoding::Utf8NoMark:
            result.text = std::move(bytes);
            break;
        case Encoding::Utf8:
            result.text = bytes.substr(Utf8Mark.size());
            break;
        case Encoding::Utf16: {
            const std::string_view units = std::string_view(bytes).substr(Utf16Mark.size());
            const std::size_t count = units.size() / 2;
            const auto unit = [&](std::size_t k) {
                return static_cast<std::uint32_t>(static_cast<unsigned char>(units[2 * k])) |
                       static_cast<std::uint32_t>(static_cast<unsigned char>(units[2 * k + 1])) << 8;
            };
            result.text.reserve(units.size() + units.size() / 2);
            for (std::size_t k = 0; k < count; ++k) {
                const std::uint32_t u = unit(k);
                if (IsHighSurrogate(u) && k + 1 < count && IsLowSurrogate(unit(k + 1))) {
                    AppendUtf8(result.text, 0x10000 + ((u - 0xD800) << 10) + (unit(k + 1) - 0xDC00));
                    ++k;
                } else {
                    AppendUtf8(result.text, u);  // an unpaired surrogate too, in the same form
                }
            }
            result.tail = units.substr(2 * count);
            break;
        }
    }
    return result;
}

std::string EncodeText(const ProfileText& text) {
    switch (text.encoding) {
        case Encoding::Ansi:
        case Encoding::Utf8NoMark:
            return text.text;
        case Encoding::Utf8:
            return std::string(Utf8Mark) + text.text;
        case Encoding::Utf16:
            break;
    }
    std::string out(Utf16Mark);
    out.reserve(Utf16Mark.size() + 2 * text.text.size() + text.tail.size());
    const std::string_view s = text.text;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = UnitSequenceLength(s, i);
        if (n == 0) {  // never from a file or a checked write; a stray byte stands for U+FFFD
            AppendUtf16(out, 0xFFFD);
            ++i;
            continue;
        }
        const std::uint32_t code = DecodeSequence(s, i, n);
        if (code >= 0x10000) {
            AppendUtf16(out, 0xD800 + ((code - 0x10000) >> 10));
            AppendUtf16(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            AppendUtf16(out, code);
        }
        i += n;
    }
    return out + text.tail;
}

std::string WellFormedUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = UnitSequenceLength(utf8, i);
        if (n != 0 && platform::Utf8SequenceLength(utf8, i) == n) {
            out.append(utf8.substr(i, n));
        } else {
            out.append(ReplacementCharacter);
        }
        i += n == 0 ? 1 : n;
    }
    return out;
}

}  // namespace lumaro::profile
