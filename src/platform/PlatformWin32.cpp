#include "platform/Win32Text.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdlib>

#include "platform/Platform.h"

namespace lumaro::platform {

namespace {

int ShowCode(Show show) {
    switch (show) {
        case Show::Hidden: return SW_HIDE;
        case Show::MinimizedWithFocus: return SW_SHOWMINIMIZED;
        default: return SW_SHOWNORMAL;
    }
}

class Win32Launcher : public Launcher {
public:
    bool Open(const std::string& target, Show show) override {
        const auto result = ::ShellExecuteW(nullptr, L"open", Wide(target).c_str(), nullptr, nullptr, ShowCode(show));
        return reinterpret_cast<INT_PTR>(result) > 32;
    }

    bool Start(const std::string& program, const std::vector<std::string>& arguments, Show show) override {
        std::wstring line;
        AppendArgument(line, Wide(program));
        for (const auto& a : arguments) AppendArgument(line, Wide(a));
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = static_cast<WORD>(ShowCode(show));
        PROCESS_INFORMATION pi{};
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return false;
        ::CloseHandle(pi.hThread);  // never waited for
        ::CloseHandle(pi.hProcess);
        return true;
    }
};

std::optional<std::string>& ExecutableOverride() {
    static std::optional<std::string> path;
    return path;
}

Launcher* replacement = nullptr;

UINT consoleCodePage = 0;
void RestoreConsoleCodePage() { ::SetConsoleOutputCP(consoleCodePage); }
BOOL WINAPI RestoreConsoleCodePageOnSignal(DWORD) {
    RestoreConsoleCodePage();
    return FALSE;  // the program ends as it would have
}

}  // namespace

std::string ExecutablePath() {
    if (ExecutableOverride()) return *ExecutableOverride();
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return Utf8(buffer.substr(0, n));
        buffer.resize(buffer.size() * 2);
    }
}

void OverrideExecutablePath(std::optional<std::string> path) { ExecutableOverride() = std::move(path); }

std::string SystemDirectory() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT n = ::GetSystemDirectoryW(buffer, MAX_PATH + 1);
    return n == 0 || n > MAX_PATH ? std::string() : Utf8(std::wstring(buffer, n));
}

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> ListOrdinaryFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::wstring pattern = Wide(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((pattern + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    constexpr DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if (!(data.dwFileAttributes & skipped)) names.push_back(Utf8(data.cFileName));
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = ::CompareStringOrdinal(Wide(a).c_str(), -1, Wide(b).c_str(), -1, TRUE);
        return order != CSTR_EQUAL ? order == CSTR_LESS_THAN : a < b;
    });
    return names;
}

std::optional<std::string> FindOnPath(const std::string& name) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = ::SearchPathW(nullptr, Wide(name).c_str(), L".exe", MAX_PATH, buffer, nullptr);
    if (n == 0 || n >= MAX_PATH) return std::nullopt;
    return Utf8(std::wstring(buffer, n));
}

std::vector<std::string> CommandLineArguments(int, char**) {
    // The console shows the UTF-8 the program prints, and gets its own code
    // page back when the program ends: by returning, exiting, Ctrl+C or the
    // console closing (only a killed program cannot give it back).
    consoleCodePage = ::GetConsoleOutputCP();  // 0: no console
    if (consoleCodePage != 0 && consoleCodePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(RestoreConsoleCodePage);
        ::SetConsoleCtrlHandler(RestoreConsoleCodePageOnSignal, TRUE);
    }
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) arguments.push_back(Utf8(wide[i]));
    if (wide) ::LocalFree(wide);
    return arguments;
}

std::optional<std::string> RegistrationTool() { return std::string("regsvr32.exe"); }

Launcher& SystemLauncher() {
    static Win32Launcher launcher;
    return launcher;
}

Launcher& CurrentLauncher() { return replacement ? *replacement : SystemLauncher(); }

void SetLauncher(Launcher* launcher) { replacement = launcher; }

}  // namespace lumaro::platform
