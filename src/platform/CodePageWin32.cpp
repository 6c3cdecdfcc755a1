#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/Platform.h"
#include "platform/TextBytes.h"

namespace lumaro::platform {

namespace {

constexpr UINT CodePage = 936;
constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// UTF-8 -> UTF-16; nothing when `strict` and the text is not valid UTF-8.
std::optional<std::wstring> Wide(std::string_view utf8, bool strict) {
    if (utf8.empty()) return std::wstring();
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    const int size = static_cast<int>(utf8.size());
    const int n = ::MultiByteToWideChar(CP_UTF8, flags, utf8.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, flags, utf8.data(), size, out.data(), n);
    return out;
}

// UTF-16 -> code page 936, "?" for what the code page lacks (no best fit:
// "ä" must not quietly become "a").
std::string Narrow(const std::wstring& wide, bool& lossy) {
    lossy = false;
    if (wide.empty()) return {};
    BOOL usedDefault = FALSE;
    const int size = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, "?",
                                        &usedDefault);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        ::WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), n, "?", &usedDefault);
    }
    lossy = usedDefault != FALSE;
    return out;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::string ToAnsi(std::string_view utf8) {
    // One "?" for each invalid byte and each character the code page lacks, as
    // on every other system (the code page has nothing beyond U+FFFF).
    std::string out;
    out.reserve(utf8.size());
    bool lossy = false;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8SequenceLength(utf8, i);
        if (n == 0 || n == 4) {
            out += '?';
            i += n == 0 ? 1 : n;
            continue;
        }
        std::size_t end = i + n;  // a run of valid characters converts in one call
        while (end < utf8.size()) {
            const std::size_t m = Utf8SequenceLength(utf8, end);
            if (m == 0 || m == 4) break;
            end += m;
        }
        out += Narrow(Wide(utf8.substr(i, end - i), true).value_or(std::wstring()), lossy);
        i = end;
    }
    return out;
}

std::string FromAnsi(std::string_view ansi) {
    // Character by character, so every undecodable one becomes U+FFFD
    // instead of whatever the system's default character is.
    std::wstring wide;
    wide.reserve(ansi.size());
    for (std::size_t i = 0; i < ansi.size();) {
        const std::size_t n = AnsiCharLength(ansi, i);
        wchar_t c = 0;
        if (static_cast<unsigned char>(ansi[i]) < 0x80) {
            c = static_cast<wchar_t>(ansi[i]);
        } else if (::MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, ansi.data() + i, static_cast<int>(n), &c,
                                         1) != 1) {
            c = 0xFFFD;
        }
        // Windows maps the code page's user-defined codes into the private use
        // area; they name no character, so they read as undecodable, as elsewhere.
        if (c >= 0xE000 && c <= 0xF8FF) c = 0xFFFD;
        wide += c;
        i += n;
    }
    return Utf8(wide);
}

std::optional<std::string> ToAnsiExact(std::string_view utf8) {
    const auto wide = Wide(utf8, true);
    if (!wide) return std::nullopt;
    bool lossy = false;
    std::string ansi = Narrow(*wide, lossy);
    if (lossy || FromAnsi(ansi) != utf8) return std::nullopt;
    return ansi;
}

}  // namespace lumaro::platform
