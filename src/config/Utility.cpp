#include <algorithm>
#include <cstddef>
#include <string_view>

#include "config/mdlINI.h"
#include "platform/Platform.h"

namespace lumaro {

namespace {

bool IsFolderSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

// Position of the last folder separator in `path`, or npos.
std::size_t LastSeparator(const std::string& path) {
    for (std::size_t i = path.size(); i-- > 0;) {
        if (IsFolderSeparator(path[i])) return i;
    }
    return std::string::npos;
}

// "D:\" keeps its separator, as the root "/" does.
bool IsDriveRoot([[maybe_unused]] const std::string& path, [[maybe_unused]] std::size_t cut) {
#ifdef _WIN32
    return cut == 2 && path[1] == ':';
#else
    return false;
#endif
}

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The first occurrence of `marker` in `text` at or after byte `from`,
// ASCII letters matched regardless of case. Markers are whole UTF-8 sequences,
// so a match never starts inside a multi-byte character.
std::size_t FindNoCase(std::string_view text, std::string_view marker, std::size_t from) {
    if (from > text.size()) return std::string_view::npos;
    auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), marker.begin(), marker.end(),
                          [](char a, char b) { return FoldAscii(a) == FoldAscii(b); });
    if (it == text.end() && !marker.empty()) return std::string_view::npos;
    return static_cast<std::size_t>(it - text.begin());
}

}  // namespace

std::string NormalizeFolder(std::string path, char separator) {
    if (separator == '\\') std::replace(path.begin(), path.end(), '/', '\\');
    if (path.empty() || path.back() != separator) path += separator;
    return path;
}

std::string GetAppFolder() {
    const std::string exe = platform::ExecutablePath();
    const std::size_t cut = LastSeparator(exe);
    std::string folder;
    if (cut == std::string::npos) {
        folder = ".";  // a bare file name: the program was found in the current folder
    } else if (cut == 0 || IsDriveRoot(exe, cut)) {
        folder = exe.substr(0, cut + 1);  // the root ("/", "D:\") keeps its separator
    } else {
        folder = exe.substr(0, cut);
    }
    return NormalizeFolder(folder, platform::Separator);
}

std::string GetSystemFolder() { return NormalizeFolder(platform::SystemDirectory(), platform::Separator); }

std::string GetExecutableBaseName() {
    const std::string exe = platform::ExecutablePath();
    const std::size_t cut = LastSeparator(exe);
    std::string name = cut == std::string::npos ? exe : exe.substr(cut + 1);
    // Only the last extension goes ("Lumaro.exe" -> "Lumaro"); a leading dot is part of the name.
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

std::string GetTextBetween(const std::string& text, const std::string& startMarker, const std::string& endMarker) {
    if (text.empty()) return {};
    const std::size_t start = FindNoCase(text, startMarker, 0);
    if (start == std::string_view::npos) return {};
    // The end marker is searched from the character after the start marker's first one,
    // so an end marker overlapping the start marker is found and rejected below.
    const std::size_t end = FindNoCase(text, endMarker, start + 1);
    if (end == std::string_view::npos) return {};
    const std::size_t from = start + startMarker.size();
    if (end < from) return {};
    return text.substr(from, end - from);
}

}  // namespace lumaro
