#include <iconv.h>

#include <cerrno>
#include <cstdint>

#include "platform/Platform.h"

namespace lumaro::platform {

namespace {

constexpr const char* CodePage = "CP936";
constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in` into `out` as far as it goes; returns the number of bytes
    // of `in` consumed before a sequence the converter rejects (or all).
    std::size_t Convert(std::string_view in, std::string& out) {
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = ::iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) break;
        }
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return in.size() - srcLeft;
    }

private:
    iconv_t cd_;
};

// Length of the well-formed UTF-8 sequence at `i` (no overlongs, no
// surrogates, nothing beyond U+10FFFF), or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
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
std::size_t AnsiCharLength(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x81 || lead > 0xFE || i + 1 >= s.size()) return 1;
    const auto trail = static_cast<unsigned char>(s[i + 1]);
    return (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) ? 2 : 1;
}

// UTF-8 -> code page 936; every invalid byte and every character the code
// page lacks becomes "?". `lossy` tells whether that happened.
std::string Encode(std::string_view utf8, bool& lossy) {
    lossy = false;
    std::string out;
    out.reserve(utf8.size());
    Converter converter(CodePage, "UTF-8");
    std::size_t i = 0;
    while (i < utf8.size()) {
        // The well-formed run from here, converted in one go.
        std::size_t end = i;
        while (end < utf8.size()) {
            const std::size_t n = Utf8SequenceLength(utf8, end);
            if (n == 0) break;
            end += n;
        }
        while (i < end) {
            const auto chunk = utf8.substr(i, end - i);
            std::size_t done = converter.ok() ? converter.Convert(chunk, out) : 0;
            if (!converter.ok()) {
                // Without a converter only ASCII survives.
                while (done < chunk.size() && static_cast<unsigned char>(chunk[done]) < 0x80) out += chunk[done++];
            }
            i += done;
            if (i < end) {
                out += '?';
                lossy = true;
                i += Utf8SequenceLength(utf8, i);
            }
        }
        if (i < utf8.size()) {
            out += '?';
            lossy = true;
            ++i;
        }
    }
    return out;
}

}  // namespace

std::string ToAnsi(std::string_view utf8) {
    bool lossy = false;
    return Encode(utf8, lossy);
}

std::string FromAnsi(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 2);
    Converter converter("UTF-8", CodePage);
    std::size_t i = 0;
    while (i < ansi.size()) {
        std::size_t done = 0;
        if (converter.ok()) {
            done = converter.Convert(ansi.substr(i), out);
        } else {
            while (i + done < ansi.size() && static_cast<unsigned char>(ansi[i + done]) < 0x80) {
                out += ansi[i + done];
                ++done;
            }
        }
        i += done;
        if (i < ansi.size()) {
            out += ReplacementCharacter;
            i += AnsiCharLength(ansi, i);
        }
    }
    return out;
}

std::optional<std::string> ToAnsiExact(std::string_view utf8) {
    bool lossy = false;
    std::string ansi = Encode(utf8, lossy);
    // A few characters share a code with another one; only a round trip proves nothing changed.
    if (lossy || FromAnsi(ansi) != utf8) return std::nullopt;
    return ansi;
}

}  // namespace lumaro::platform
