#include "platform/Win32Text.h"

#include <string>

#include "platform/Platform.h"

namespace lumaro::platform {

namespace {

std::string Variable(const wchar_t* name) {
    const DWORD n = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), n));
    return Utf8(value);
}

std::string AsFolder(std::string path) {
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return path;
}

}  // namespace

bool FolderExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolders(const std::string& path) {
    if (path.empty() || FolderExists(path)) return !path.empty();
    for (std::size_t at = path.find_first_of("\\/", 1);; at = path.find_first_of("\\/", at + 1)) {
        const std::string part = path.substr(0, at);
        if (!FolderExists(part) && !::CreateDirectoryW(Wide(part).c_str(), nullptr) &&
            ::GetLastError() != ERROR_ALREADY_EXISTS && part.back() != ':')
            return false;
        if (at == std::string::npos) break;
    }
    return FolderExists(path);
}

std::string MachineSettingsFolder() {
    std::string chosen = Variable(L"LUMARO_MACHINE_CONFIG_DIR");
    if (chosen.empty()) {
        chosen = Variable(L"ProgramData");
        if (chosen.empty()) return {};
        chosen = AsFolder(chosen) + "Lumaro";
    }
    return AsFolder(chosen);
}

std::string UserSettingsFolder() {
    const std::string roaming = Variable(L"APPDATA");
    return roaming.empty() ? std::string() : AsFolder(AsFolder(roaming) + "Lumaro");
}

}  // namespace lumaro::platform
