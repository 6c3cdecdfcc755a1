// Listing folders, finding programs and starting them detached, through the platform layer.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/Environment.h"
#include "core/Processes.h"
#include "core/TempDir.h"
#include "platform/Platform.h"

namespace lumaro::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using namespace test;

// What a detached program wrote (in one write); bounded, so a launch that never happens fails instead of hanging.
std::string WaitForFile(const fs::path& file) {
    for (int i = 0; i < 500 && !(fs::exists(file) && fs::file_size(file) > 0); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return ReadBytes(file);
}

#ifdef _WIN32
constexpr const char* Exe = ".exe";

void SetAttributes(const std::string& file, DWORD attributes) {
    ::SetFileAttributesW(PathOf(file).c_str(), attributes);
}

bool EndProcess(int pid) {
    const HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(pid));
    const bool ended = process && ::TerminateProcess(process, 1);
    if (process) ::CloseHandle(process);
    return ended;
}

// Files of a made-up type opened by the test executable in the RecordOpened role, while this lives.
class FileTypeHandler {
public:
    static constexpr const wchar_t* Extension = L".lumaro-test";
    FileTypeHandler() {
        std::wstring command = L"\"" + PathOf(TestExecutable()).wstring() + L"\" --child-role RecordOpened \"%1\"";
        for (const HKEY classes : {ClassesRoot(), HKEY_CLASSES_ROOT}) {  // the user's classes, or the machine's
            Set(classes, Extension, L"Lumaro.TestFile");
            Set(classes, L"Lumaro.TestFile\\shell\\open\\command", command);
        }
    }
    ~FileTypeHandler() {
        for (const HKEY classes : {ClassesRoot(), HKEY_CLASSES_ROOT}) {
            ::RegDeleteTreeW(classes, Extension);
            ::RegDeleteTreeW(classes, L"Lumaro.TestFile");
        }
    }

private:
    static HKEY ClassesRoot() {
        static HKEY key = [] {
            HKEY k = nullptr;
            ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
            return k;
        }();
        return key;
    }
    static void Set(HKEY root, const wchar_t* path, const std::wstring& value) {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
        ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
    }
};

// Writes its process id and its first two arguments to the third, then waits to be ended.
LUMARO_CHILD_ROLE(RecordArguments) {
    WriteBytes(args.at(2), std::to_string(::GetCurrentProcessId()) + "|" + args.at(0) + "|" + args.at(1));
    ::Sleep(INFINITE);
    return 0;
}

// Writes the file it was asked to open into "opened" beside it.
LUMARO_CHILD_ROLE(RecordOpened) {
    WriteBytes(PathOf(args.at(0)).parent_path() / "opened", args.at(0));
    return 0;
}
#else
constexpr const char* Exe = "";

void WriteScript(const fs::path& file, const std::string& body) {
    WriteBytes(file, "#!/bin/sh\n" + body + "\n");
    fs::permissions(file, fs::perms::owner_all);
}

bool EndProcess(int pid) { return pid > 1 && ::kill(pid, SIGTERM) == 0; }
#endif

// Ordinary files only, sorted by name: no hidden files, no folders (nor behind links), no recursion.
TEST(ListOrdinaryFiles, ListsOnlyOrdinaryFilesSortedByName) {
    TempDir dir;
    for (const char* name : {"readme.txt", "Grid.ocx", "b.DLL", "dll", "中文.dll", "A.dll"}) WriteBytes(dir.file(name), "x");
#ifdef _WIN32
    for (const auto& [name, attributes] : {std::pair{"hidden.dll", FILE_ATTRIBUTE_HIDDEN}, {"system.dll", FILE_ATTRIBUTE_SYSTEM}}) {
        WriteBytes(dir.file(name), "x");
        SetAttributes(dir.file(name), attributes);
    }
#else
    for (const char* name : {".x.dll", "grid.OCX"}) WriteBytes(dir.file(name), "x");  // only here a name of its own
    fs::create_directory_symlink(dir.path() / "sub.dll", dir.path() / "link.dll");
    EXPECT_FALSE(FileExists(dir.file("link.dll")));
#endif
    WriteBytes(dir.path() / "sub.dll" / "inner.dll", "x");
    fs::create_directory(dir.path() / "empty");
#ifdef _WIN32
    const std::vector<std::string> expected = {"A.dll", "b.DLL", "dll", "Grid.ocx", "readme.txt", "中文.dll"};
#else
    const std::vector<std::string> expected = {"A.dll", "b.DLL", "dll", "Grid.ocx", "grid.OCX", "readme.txt", "中文.dll"};
#endif
    EXPECT_EQ(ListOrdinaryFiles(Utf8Of(dir.path())), expected);
    for (const char* name : {"missing", "empty", "readme.txt"}) EXPECT_TRUE(ListOrdinaryFiles(dir.file(name)).empty());
    EXPECT_TRUE(FileExists(dir.file("readme.txt")));
    EXPECT_TRUE(FileExists(dir.file("中文.dll")));
    for (const auto& path : {dir.file("sub.dll"), dir.file("missing"), ""s}) EXPECT_FALSE(FileExists(path)) << path;
}

// The first program of that name in PATH order (on Windows the name gets ".exe"; elsewhere a file
// must be marked executable); regsvr32 is the system's on Windows, elsewhere found the same way or not at all.
TEST(FindOnPath, FirstExecutableInPathOrder) {
    TempDir dir;
    const auto first = dir.path() / "first", second = dir.path() / "second with blank";
    WriteBytes(first / "tool", "not a program by that name");
#ifdef _WIN32
    for (const auto& program : {second / "tool.exe", first / "other.exe", second / "other.exe"}) WriteBytes(program, "MZ");
#else
    for (const auto& script : {second / "tool", first / "other", second / "other"}) WriteScript(script, "exit 0");
    fs::create_directories(first / "folder");
    EXPECT_EQ(FindOnPath("folder"), std::nullopt);
#endif
    ScopedEnvironment path("PATH", Utf8Of(first) + PathListSeparator + Utf8Of(dir.path() / "missing") + PathListSeparator +
                                       Utf8Of(second));
    EXPECT_EQ(FindOnPath("tool"), Utf8Of(second / ("tool"s + Exe)));
    EXPECT_EQ(FindOnPath("other"), Utf8Of(first / ("other"s + Exe)));
    for (const char* none : {"absent", ""}) EXPECT_EQ(FindOnPath(none), std::nullopt) << none;
    const std::string whole = Utf8Of(second / ("tool"s + Exe));
    EXPECT_EQ(FindOnPath(whole), whole) << "a path is taken as it stands";
#ifdef _WIN32
    EXPECT_EQ(RegistrationTool(), "regsvr32.exe");
#else
    EXPECT_EQ(RegistrationTool(), std::nullopt);
    WriteScript(second / "regsvr32", "exit 0");
    EXPECT_EQ(RegistrationTool(), (second / "regsvr32").string());
#endif
}

// Start finds the program, passes each argument whole and returns while it still runs; what cannot
// run is reported. (The started program ends when the test does.)
TEST(SystemLauncher, StartsDetachedOrReportsWhatCannotRun) {
    TempDir dir;
    const std::string out = dir.file("out");
    WriteBytes(dir.path() / "text", "plain text, no program");
    WriteBytes(dir.path() / "data", "x");
#ifdef _WIN32
    ASSERT_TRUE(SystemLauncher().Start(TestExecutable(), ChildArguments("RecordArguments", {"a b  c", "房产 中介", out}),
                                       Show::MinimizedWithFocus));
#else
    WriteScript(dir.path() / "slow", R"(printf '%s|%s|%s' $$ "$1" "$2" > "$3"; while kill -0 "$4" 2>/dev/null; do sleep 0.1; done)");
    fs::permissions(dir.path() / "text", fs::perms::owner_all);  // marked executable, not runnable
    ScopedEnvironment path("PATH", Utf8Of(dir.path()) + ":/usr/bin:/bin");
    ASSERT_TRUE(SystemLauncher().Start("slow", {"a b  c", "房产 中介", out, std::to_string(::getpid())},
                                       Show::MinimizedWithFocus));
#endif
    const std::string written = WaitForFile(PathOf(out));
    EXPECT_EQ(written.substr(written.find('|') + 1), "a b  c|房产 中介");
    EXPECT_TRUE(EndProcess(std::atoi(written.c_str()))) << "not running: " << written;
    for (const auto& program : {dir.file("missing"), dir.file("text"), dir.file("data"), dir.file(""), "no-such"s})
        EXPECT_FALSE(SystemLauncher().Start(program, {}, Show::Normal)) << program;
#ifndef _WIN32
    EXPECT_TRUE(::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD) << "a child is left to reap";
#endif
}

// Open hands the target whole to the handler the user chose for it, and fails where there is none.
TEST(SystemLauncher, OpenHandsTheTargetToItsHandler) {
    TempDir dir;
#ifdef _WIN32
    const std::string target = dir.file("咨询 服务.lumaro-test");
    WriteBytes(target, "x");
    WriteBytes(dir.file("none.lumaro-untyped"), "x");
    EXPECT_FALSE(SystemLauncher().Open(dir.file("none.lumaro-untyped"), Show::Normal));
    FileTypeHandler handler;
#else
    const std::string target = "mailto:service@example.com?subject=咨询 服务";
    ScopedEnvironment path("PATH", Utf8Of(dir.path()));
    EXPECT_FALSE(SystemLauncher().Open(target, Show::Normal));
    WriteScript(dir.path() / "xdg-open", "printf '%s' \"$1\" > '" + dir.file("opened") + "'");
#endif
    ASSERT_TRUE(SystemLauncher().Open(target, Show::Normal));
    EXPECT_EQ(WaitForFile(dir.path() / "opened"), target);
#ifndef _WIN32
    EXPECT_TRUE(::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD) << "a child is left to reap";
#endif
}

}  // namespace
}  // namespace lumaro::platform
