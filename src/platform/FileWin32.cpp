#include "platform/Win32Text.h"

#include <aclapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cwctype>
#include <vector>

#include "platform/Platform.h"

namespace lumaro::platform {

namespace {

using Clock = std::chrono::steady_clock;

// How long a write waits for other writers of the file and for programs that
// hold it open; then it fails and the old file stays.
constexpr auto Patience = std::chrono::seconds(5);

// FileRenameInfoEx (Windows 10 1709), which the headers declare only for newer targets.
constexpr auto RenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);

class Handle {
public:
    explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }
    void Reset(HANDLE h = INVALID_HANDLE_VALUE) {
        if (ok()) ::CloseHandle(h_);
        h_ = h;
    }
    void Close() { Reset(); }

private:
    HANDLE h_;
};

// The system's own words for an error, without the closing line end.
std::string SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", n);
    if (text) ::LocalFree(text);
    while (!message.empty() && std::iswspace(message.back())) message.pop_back();
    return Utf8(message);
}

// Records why a replacement cannot be done, naming the system error that
// stopped it, if one did.
bool Fail(std::string* why, const std::string& what, DWORD error = ERROR_SUCCESS) {
    if (why) {
        *why = what;
        if (error != ERROR_SUCCESS) *why += ": " + SystemMessage(error) + " (error " + std::to_string(error) + ")";
    }
    return false;
}

// The full path, in the form that the wide calls take at any length: a long
// one (beyond what a folder path may have) gets the "\\?\" prefix.
std::wstring FullPath(const std::wstring& path) {
    std::wstring full(std::max<std::size_t>(path.size() + 1, MAX_PATH), L'\0');
    for (;;) {
        const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return {};
        if (n < full.size()) {
            full.resize(n);
            break;
        }
        full.resize(n);
    }
    if (full.size() < MAX_PATH - 12 || full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) return full;
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
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

DWORD MillisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<DWORD>(left) : 0;
}

// Every writer of the same file takes this mutex: the file itself cannot
// carry the lock, since it is replaced by a rename. Its name comes from the
// file's path by a fixed hash, so that every build of the program agrees on it.
class WriterMutex {
public:
    WriterMutex(const std::wstring& fullPath, Clock::time_point deadline) {
        std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (const wchar_t c : fullPath) hash = (hash ^ static_cast<std::uint64_t>(std::towlower(c))) * 1099511628211ull;
        const std::wstring name = L"Local\\lumaro-settings-" + std::to_wstring(hash);
        h_ = ::CreateMutexW(nullptr, FALSE, name.c_str());
        if (!h_) {
            error_ = ::GetLastError();
            return;
        }
        // A writer that hangs inside the lock must not hang every other copy of the program.
        const DWORD r = ::WaitForSingleObject(h_, MillisecondsLeft(deadline));
        held_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;  // abandoned: its owner died
        timedOut_ = r == WAIT_TIMEOUT;
        if (r == WAIT_FAILED) error_ = ::GetLastError();
    }
    ~WriterMutex() {
        if (held_) ::ReleaseMutex(h_);
        if (h_) ::CloseHandle(h_);
    }
    bool held() const { return held_; }
    bool timedOut() const { return timedOut_; }
    DWORD error() const { return error_; }

private:
    HANDLE h_ = nullptr;
    bool held_ = false;
    bool timedOut_ = false;
    DWORD error_ = ERROR_SUCCESS;
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

// Another program holds the file open and does not share deleting it: the
// file cannot be replaced until it lets go.
bool HeldByAnotherProgram(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

// The error a replacement that was refused access really ran into: a
// rename over a file that is open reports only "access denied".
DWORD WhyReplacementRefused(const std::wstring& target, DWORD error) {
    if (error != ERROR_ACCESS_DENIED) return error;
    Handle probe(::CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe.ok() && ::GetLastError() == ERROR_SHARING_VIOLATION ? ERROR_SHARING_VIOLATION : error;
}

// Renames the written copy over the file in one step, so that a reader finds
// the old file or the new one, never none (unlike ReplaceFile, which moves the
// old file aside first). Where the system has rename with POSIX semantics the
// copy replaces the file even while readers have it open; elsewhere the rename
// is refused while anybody has the file open, and is tried again.
bool RenameOver(Handle& copy, const std::wstring& copyPath, const std::wstring& target, bool& posixRename) {
    if (posixRename) {
        std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t));
        auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        info->Flags = FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS;
        info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
        std::copy(target.begin(), target.end(), info->FileName);
        if (::SetFileInformationByHandle(copy.get(), RenameInfoEx, info, static_cast<DWORD>(buffer.size())))
            return true;
        const DWORD error = ::GetLastError();
        if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED && error != ERROR_INVALID_FUNCTION) {
            return false;
        }
        posixRename = false;
        copy.Close();  // MoveFileEx needs the copy closed
    }
    return ::MoveFileExW(copyPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// The explicit permissions of the old file go to the copy (inherited ones come from the folder anyway).
void CopyPermissions(HANDLE from, HANDLE to) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(from, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                          &descriptor) != ERROR_SUCCESS) {
        return;
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ::GetSecurityDescriptorControl(descriptor, &control, &revision);
    const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | ((control & SE_DACL_PROTECTED)
                                                                       ? PROTECTED_DACL_SECURITY_INFORMATION
                                                                       : UNPROTECTED_DACL_SECURITY_INFORMATION);
    ::SetSecurityInfo(to, SE_FILE_OBJECT, what, nullptr, nullptr, dacl, nullptr);
    ::LocalFree(descriptor);
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t limit) {
    if (path.empty()) return std::nullopt;
    const std::wstring full = FullPath(Wide(path));
    if (full.empty()) return std::nullopt;
    Handle file(::CreateFileW(full.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok() || ::GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
    std::string data;
    if (!ReadAll(file.get(), data, limit)) return std::nullopt;
    return data;
}

FileAccess CheckFileAccess(const std::string& path) {
    const std::wstring full = path.empty() ? std::wstring() : FullPath(Wide(path));
    if (full.empty()) return FileAccess::Missing;
    const DWORD attributes = ::GetFileAttributesW(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? FileAccess::Missing
                                                                                 : FileAccess::Unreadable;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileAccess::Folder;
    const Handle file(::CreateFileW(full.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) return FileAccess::Unreadable;
    return ::GetFileType(file.get()) == FILE_TYPE_DISK ? FileAccess::Readable : FileAccess::NotAFile;
}

bool ReplaceFileLocked(const std::string& path, const FileEdit& edit, std::string* why) {
    if (path.empty()) return Fail(why, "no file name");
    const auto deadline = Clock::now() + Patience;
    std::wstring target = FullPath(Wide(path));
    if (target.empty()) return Fail(why, path + " is not a file name", ::GetLastError());

    // A symbolic link stays in place; the file it points to is replaced.
    DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Handle link(::CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        std::wstring final(32768, L'\0');
        const DWORD n = link.ok() ? ::GetFinalPathNameByHandleW(link.get(), final.data(), static_cast<DWORD>(final.size()),
                                                                FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)
                                  : 0;
        if (n == 0 || n >= final.size()) return Fail(why, "cannot follow the link " + path, ::GetLastError());
        target = final.substr(0, n);
    }

    const std::size_t cut = target.find_last_of(L'\\');
    const std::wstring name = cut == std::wstring::npos ? std::wstring() : target.substr(cut + 1);
    if (name.empty() || name == L"." || name == L"..") return Fail(why, path + " is not a file name");
    std::wstring folder = target.substr(0, cut);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';  // a drive's root

    // Only the file's own folder is created; its parent must exist.
    const DWORD folderAttributes = ::GetFileAttributesW(folder.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
            return Fail(why, "cannot create the folder of " + path, ::GetLastError());
        }
    }

    WriterMutex lock(target, deadline);
    if (!lock.held()) {
        if (lock.timedOut()) return Fail(why, "another writer of " + path + " did not finish within 5 s");
        return Fail(why, "cannot lock " + path, lock.error());
    }
    RemoveLeftoverTemps(folder, name);

    // Looked at again under the lock: another writer may have just replaced it.
    attributes = ::GetFileAttributesW(target.c_str());
    const DWORD missing = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS;
    std::optional<std::string> old;
    Handle in;
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(why, path + " is not an ordinary file");
        if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(why, path + " is read-only");
        in.Reset(::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!in.ok()) return Fail(why, "cannot read " + path, ::GetLastError());
        if (::GetFileType(in.get()) != FILE_TYPE_DISK) return Fail(why, path + " is not an ordinary file");
        // A file that cannot be read whole is never replaced: its other lines would be lost.
        old.emplace();
        if (!ReadAll(in.get(), *old)) return Fail(why, "cannot read " + path, ::GetLastError());
    } else if (missing != ERROR_FILE_NOT_FOUND) {
        return Fail(why, "cannot examine " + path, missing);
    }

    const std::optional<std::string> edited = edit(old);
    if (!edited) return false;
    const std::string& data = *edited;

    static std::atomic<unsigned> counter{0};
    const std::wstring temp = folder + (folder.back() == L'\\' ? L"" : L"\\") + TempPrefix(name) +
                              std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    Handle out(::CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE | WRITE_DAC, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.ok()) return Fail(why, "cannot create a file beside " + path, ::GetLastError());
    DWORD error = ERROR_SUCCESS;
    DWORD n = 0;
    if (!::WriteFile(out.get(), data.data(), static_cast<DWORD>(data.size()), &n, nullptr) || n != data.size() ||
        !::FlushFileBuffers(out.get())) {
        error = ::GetLastError();
    } else if (old) {
        // The new file keeps what the old one had: hidden, system, archive, and its permissions.
        constexpr DWORD kept =
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = (attributes & kept) ? attributes & kept : FILE_ATTRIBUTE_NORMAL;
        ::SetFileInformationByHandle(out.get(), FileBasicInfo, &basic, sizeof basic);
        CopyPermissions(in.get(), out.get());
    }
    in.Close();  // the rename is refused while even this process holds the old file open
    if (error != ERROR_SUCCESS) {
        out.Close();
        ::DeleteFileW(temp.c_str());
        return Fail(why, "cannot write " + path, error);
    }

    // Programs that hold the file open (readers for a moment, an editor for
    // longer) are waited for within the same bound as other writers.
    bool posixRename = true;
    while (!RenameOver(out, temp, target, posixRename)) {
        error = ::GetLastError();
        if (!HeldByAnotherProgram(error) || Clock::now() >= deadline) {
            error = WhyReplacementRefused(target, error);
            out.Close();
            ::DeleteFileW(temp.c_str());
            return Fail(why, "cannot replace " + path, error);
        }
        ::Sleep(10);
    }
    return true;
}

}  // namespace lumaro::platform
