#include "platform/Win32Text.h"

#include <algorithm>
#include <atomic>
#include <cwctype>
#include <functional>

#include "platform/Platform.h"

namespace lumaro::platform {

namespace {

class Handle {
public:
    explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
    ~Handle() {
        if (ok()) ::CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

bool Fail(std::string* why, const std::string& what) {
    if (why) *why = what + " (error " + std::to_string(::GetLastError()) + ")";
    return false;
}

// Reads to the end, or until `limit` bytes are there.
bool ReadAll(HANDLE file, std::string& data, std::size_t limit = std::string::npos) {
    char buffer[65536];
    while (data.size() < limit) {
        DWORD n = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, limit - data.size()));
        if (!::ReadFile(file, buffer, wanted, &n, nullptr)) return false;
        if (n == 0) return true;
        data.append(buffer, n);
    }
    return true;
}

// Every writer of the same file takes this mutex: the file itself cannot
// carry the lock, since it is replaced by a rename.
class WriterMutex {
public:
    explicit WriterMutex(const std::wstring& fullPath) {
        std::wstring lower = fullPath;
        for (auto& c : lower) c = static_cast<wchar_t>(std::towlower(c));
        const std::wstring name = L"Local\\lumaro-settings-" + std::to_wstring(std::hash<std::wstring>{}(lower));
        h_ = ::CreateMutexW(nullptr, FALSE, name.c_str());
        if (h_) {
            const DWORD r = ::WaitForSingleObject(h_, INFINITE);
            held_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;  // abandoned: its owner died
        }
    }
    ~WriterMutex() {
        if (held_) ::ReleaseMutex(h_);
        if (h_) ::CloseHandle(h_);
    }
    bool held() const { return held_; }

private:
    HANDLE h_ = nullptr;
    bool held_ = false;
};

std::wstring TempPrefix(const std::wstring& name) { return L"." + name + L".~writing-"; }

void RemoveLeftoverTemps(const std::wstring& folder, const std::wstring& name) {
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"\\" + TempPrefix(name) + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        ::DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t limit) {
    if (path.empty()) return std::nullopt;
    Handle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok() || ::GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
    std::string data;
    if (!ReadAll(file.get(), data, limit)) return std::nullopt;
    return data;
}

bool ReplaceFileLocked(const std::string& path, const FileEdit& edit, std::string* why) {
    if (path.empty()) return Fail(why, "no file name");
    wchar_t full[MAX_PATH * 4];
    wchar_t* namePart = nullptr;
    const DWORD length = ::GetFullPathNameW(Wide(path).c_str(), MAX_PATH * 4, full, &namePart);
    if (length == 0 || length >= MAX_PATH * 4 || !namePart || !*namePart) return Fail(why, path + " is not a file name");
    const std::wstring target(full);
    const std::wstring name(namePart);
    std::wstring folder(full, static_cast<std::size_t>(namePart - full));
    if (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();

    // Only the file's own folder is created; its parent must exist.
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        return Fail(why, "cannot create the folder of " + path);
    }

    WriterMutex lock(target);
    if (lock.held()) RemoveLeftoverTemps(folder, name);

    std::optional<std::string> old;
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(why, path + " is not an ordinary file");
        if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(why, path + " is read-only");
        Handle in(::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        old.emplace();
        if (!in.ok() || !ReadAll(in.get(), *old)) return Fail(why, "cannot read " + path);
    } else if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return Fail(why, "cannot examine " + path);
    }

    const std::optional<std::string> edited = edit(old);
    if (!edited) return false;
    const std::string& data = *edited;

    static std::atomic<unsigned> counter{0};
    const std::wstring temp = folder + L"\\" + TempPrefix(name) + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(counter++);
    bool written = false;
    DWORD error = 0;
    {
        Handle out(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.ok()) return Fail(why, "cannot create a file beside " + path);
        DWORD n = 0;
        written = ::WriteFile(out.get(), data.data(), static_cast<DWORD>(data.size()), &n, nullptr) &&
                  n == data.size() && ::FlushFileBuffers(out.get());
        if (!written) error = ::GetLastError();
    }
    if (!written) {
        ::DeleteFileW(temp.c_str());
        ::SetLastError(error);
        return Fail(why, "cannot write " + path);
    }
    // ReplaceFileW keeps the old file's attributes and permissions.
    const bool replaced =
        old ? ::ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
            : ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temp.c_str());
        ::SetLastError(error);
        return Fail(why, "cannot replace " + path);
    }
    return true;
}

}  // namespace lumaro::platform
