#include <iconv.h>

#include <cerrno>
#include <cstdint>

#include "platform/Platform.h"
#include "platform/TextBytes.h"

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
