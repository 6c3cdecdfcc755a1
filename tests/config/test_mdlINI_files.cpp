// The settings file on disk: attributes and modes, links, failed and interrupted writes, other processes
// writing, reading or holding it. The rules are the same on every system; where a system has its own way to
// break them, the setup is its own.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "config/mdlINI.h"
#include "core/Processes.h"
#include "core/TempDir.h"
#include "platform/Platform.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using namespace test;
constexpr auto Written = IniWriteResult::Written, Failed = IniWriteResult::Failed;

const std::string Original = "[Regist]\r\nDLL=True\r\n[ServerINFO]\r\nServerIP=10.0.0.1\r\n";

// How many entries a folder holds: temporary files must not stay behind.
long Entries(const fs::path& folder) { return std::distance(fs::directory_iterator(folder), fs::directory_iterator()); }

// Waits for what another process does; false when it has not happened within a minute.
bool WaitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Another copy of the program that froze in the middle of its write, after `marker` appears.
LUMARO_CHILD_ROLE(FreezeInsideTheLock) {
    platform::ReplaceFileLocked(args.at(0), [&](const std::optional<std::string>&) -> std::optional<std::string> {
        WriteBytes(args.at(1), "frozen");
        for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
    });
    return 1;
}

// Writer args[1] writes 200 keys, alternately into a shared section and into one of its own.
std::string SectionOf(const std::string& writer, int i) { return i % 2 ? "Shared" : "Own-" + writer; }
LUMARO_CHILD_ROLE(WriteKeys) {
    bool ok = true;
    for (int i = 0; i < 200; ++i)
        ok &= WriteIniValue(args.at(0), SectionOf(args.at(1), i), args.at(1) + std::to_string(i), "值") == Written;
    return ok ? 0 : 1;
}

// Start-up's flag written again and again, with another key between.
LUMARO_CHILD_ROLE(WriteTheFlagRepeatedly) {
    bool ok = true;
    for (int i = 0; i < 100; ++i) {
        ok &= WriteIniValue(args.at(0), "Regist", "DLL", "True") == Written;
        ok &= WriteIniValue(args.at(0), "ServerINFO", "ServerID", std::to_string(i)) == Written;
    }
    return ok ? 0 : 1;
}

LUMARO_CHILD_ROLE(WriteOnce) { return WriteIniValue(args.at(0), "Regist", "DLL", "False") == Written ? 0 : 1; }

#ifdef _WIN32
// The file opened by another program (an editor, a backup tool) that shares reading and writing but
// not deleting, as most do.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& file)
        : handle_(::CreateFileW(PathOf(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldOpen() { Release(); }
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (held()) ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
    }

private:
    HANDLE handle_;
};
#endif

class SettingsFile : public ::testing::Test {
protected:
    test::TempDir dir;
    const fs::path folder = dir.path() / "ini";
    const std::string file = Utf8Of(folder / "Lumaro.lic");
};

// A read-only file is not replaced, and says so; a writable one is replaced keeping what the system
// keeps about it (Windows: its attributes; elsewhere: its mode, and with no write bit for anyone it is
// read-only even for root, as the attribute is on Windows). A read-only folder (not on Windows) too.
TEST_F(SettingsFile, ReadOnlyFileIsNotReplacedAndTheRestIsKept) {
    WriteBytes(file, Original);
    std::string lastWritten;
#ifdef _WIN32
    const auto path = PathOf(file);
    const auto attributes = [&] { return ::GetFileAttributesW(path.c_str()); };
    for (const DWORD state : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN,
                              FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
                              FILE_ATTRIBUTE_NORMAL}) {
        const bool writable = !(state & FILE_ATTRIBUTE_READONLY);
        ::SetFileAttributesW(path.c_str(), state);
        const DWORD before = attributes();
#else
    for (const int state : {0444, 0400, 0000, 0555, 0664, 0200}) {
        const bool writable = state & 0222;
        fs::permissions(file, static_cast<fs::perms>(state));
        const auto attributes = [&] { return fs::status(file).permissions(); };
        const auto before = attributes();
#endif
        SCOPED_TRACE(state);
        std::string why;
        EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", std::to_string(state), why), writable ? Written : Failed);
        if (writable) lastWritten = std::to_string(state);
        if (!writable) {
            EXPECT_EQ(ReadBytes(file), Original);
            EXPECT_EQ(why, file + " is read-only");
        }
        EXPECT_EQ(attributes(), before);
        EXPECT_EQ(Entries(folder), 1);
    }
#ifdef _WIN32
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
#else
    fs::permissions(folder, static_cast<fs::perms>(0555));
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "False"), Failed);
    EXPECT_EQ(WriteIniValue(Utf8Of(folder / "New.lic"), "Regist", "DLL", "False"), Failed);
    fs::permissions(folder, static_cast<fs::perms>(0755));
#endif
    EXPECT_EQ(ReadIniString(file, "Regist", "DLL"), lastWritten) << "the last writable state's write";
    EXPECT_EQ(Entries(folder), 1);
}

// A symbolic link stays a link; the file it points to is replaced.
TEST_F(SettingsFile, LinkKeptAndItsTargetWritten) {
    WriteBytes(dir.path() / "shared.lic", Original);
    fs::create_directory(folder);
#ifdef _WIN32
    ::CreateSymbolicLinkW(PathOf(file).c_str(), (dir.path() / "shared.lic").c_str(),
                          SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    if (ReadBytes(file) != Original) GTEST_SKIP() << "this system makes no symbolic links that can be followed (Wine)";
#else
    fs::create_symlink(dir.path() / "shared.lic", file);
#endif
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "False"), Written);
    EXPECT_TRUE(fs::is_symlink(PathOf(file)));
    EXPECT_EQ(ReadIniString(Utf8Of(dir.path() / "shared.lic"), "Regist", "DLL"), "False");
}

// A writer that dies mid-write (or on POSIX fails part way, on a full disk simulated with a file-size
// limit, and says so) leaves the old file whole; the next writer clears what it left, also when it
// writes the file anew.
TEST_F(SettingsFile, InterruptedWriteKeepsTheOldFile) {
    WriteBytes(file, Original);
#ifdef _WIN32
    {
        // Its whole copy waits to replace a file another program holds open when it is killed.
        HeldOpen other(file);
        Child writer("WriteOnce", {file});
        ASSERT_TRUE(WaitUntil([&] { return Entries(folder) == 2; }));
        writer.Kill();
    }
    EXPECT_EQ(ReadBytes(file), Original);
#else
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "killed" : "failed");
        const pid_t pid = ::fork();
        if (pid == 0) {
            const rlimit noCore{0, 0}, limit{16, 16};
            ::setrlimit(RLIMIT_CORE, &noCore);
            ::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::_exit(WriteIniValue(file, "Regist", "DLL", std::string(4096, 'x')) == Failed ? 0 : 1);
        }
        int status = -1;
        ::waitpid(pid, &status, 0);
        if (killed) EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
        else EXPECT_EQ(status, 0) << "the write must report failure";
        EXPECT_EQ(ReadBytes(file), Original);
        EXPECT_TRUE(killed || Entries(folder) == 1);
    }
#endif
    EXPECT_EQ(Entries(folder), 2) << "what the killed writer left";
    fs::remove(PathOf(file));
    ASSERT_EQ(WriteIniValue(file, "Regist", "DLL", "False"), Written);
    EXPECT_EQ(Entries(folder), 1);
}

TEST_F(SettingsFile, TwoProcessesWritingDifferentKeysLoseNothing) {
    WriteBytes(file, Original);
    {
        Child a("WriteKeys", {file, "a"}), b("WriteKeys", {file, "b"});
        EXPECT_EQ(a.Wait(), 0);
        EXPECT_EQ(b.Wait(), 0);
    }
    int found = 0;
    for (const std::string w : {"a", "b"})
        for (int i = 0; i < 200; ++i) found += ReadIniString(file, SectionOf(w, i), w + std::to_string(i)) == "值";
    EXPECT_EQ(found, 400);
    EXPECT_EQ(ReadBytes(file).rfind(Original, 0), 0u) << "the lines that were there stay first";
    EXPECT_EQ(Entries(folder), 1);
}

// A writer frozen inside the lock makes another write give up (after a bounded wait) and leave the
// old file; reading never waits; once the frozen writer is gone, writing works again.
TEST_F(SettingsFile, WriterStuckHoldingTheLockDoesNotHangOthers) {
    WriteBytes(file, Original);
    Child stuck("FreezeInsideTheLock", {file, dir.file("frozen")});
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(dir.path() / "frozen"); }));
    std::string why;
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "False", why), Failed);
    EXPECT_NE(why.find("another writer"), std::string::npos) << why;
    EXPECT_EQ(ReadBytes(file), Original);
    EXPECT_EQ(ReadIniString(file, "ServerINFO", "ServerIP"), "10.0.0.1");
    stuck.Kill();
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "False"), Written);
    EXPECT_EQ(ReadIniString(file, "Regist", "DLL"), "False");
}

// While another process writes, every read finds the old file or the new one, never none.
TEST_F(SettingsFile, ReadsDuringWritesFindTheFile) {
    WriteBytes(file, Original);
    Child writer("WriteTheFlagRepeatedly", {file});
    int reads = 0, empty = 0;
    do {
        ++reads;
        empty += ReadIniString(file, "Regist", "DLL").empty();
    } while (writer.Running());
    EXPECT_EQ(writer.Wait(), 0);
    EXPECT_EQ(empty, 0) << "of " << reads << " reads";
    EXPECT_EQ(Entries(folder), 1);
}

#ifdef _WIN32
// A file another program holds open cannot be replaced while it does: the write waits for it within
// the same bound as for the lock, then fails naming the error.
TEST_F(SettingsFile, FileHeldOpenByAnotherProgram) {
    WriteBytes(file, Original);
    {
        HeldOpen other(file);
        ASSERT_TRUE(other.held());
        std::thread letGo([&] {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            other.Release();
        });
        EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "False"), Written);
        letGo.join();
    }
    EXPECT_EQ(ReadIniString(file, "Regist", "DLL"), "False");
    HeldOpen forGood(file);
    std::string why;
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "True", why), Failed);
    EXPECT_NE(why.find("(error 32)"), std::string::npos) << why;  // ERROR_SHARING_VIOLATION
    EXPECT_EQ(ReadIniString(file, "Regist", "DLL"), "False");
    EXPECT_EQ(Entries(folder), 1);
}
#endif

// Paths far beyond the old 260-character limit, Chinese folders included.
TEST_F(SettingsFile, LongPaths) {
    fs::path deep = dir.path();
    for (char c = 'a'; c <= 'f'; ++c) deep /= PathOf(std::string(200, c) + " 文件夹");
#ifdef _WIN32
    // Created the long way: the C++ library keeps to the old limit on Windows.
    std::wstring wide = L"\\\\?\\" + deep.wstring();
    for (auto& c : wide) c = c == L'/' ? L'\\' : c;
    for (std::size_t at = wide.find(L'\\', 7); at != std::wstring::npos; at = wide.find(L'\\', at + 1))
        ::CreateDirectoryW(wide.substr(0, at).c_str(), nullptr);
    ::CreateDirectoryW(wide.c_str(), nullptr);
#else
    fs::create_directories(deep);
#endif
    const std::string longFile = Utf8Of(deep / "ini" / "Lumaro.lic");
    ASSERT_GT(longFile.size(), 1100u);
    EXPECT_EQ(WriteIniValue(longFile, "按揭咨询", "贷款利率", "0.5"), Written);
    EXPECT_EQ(WriteIniValue(longFile, "Regist", "DLL", "True"), Written);
    EXPECT_EQ(ReadIniString(longFile, "按揭咨询", "贷款利率"), "0.5");
    EXPECT_EQ(ReadIniString(longFile, "Regist", "DLL"), "True");
}

}  // namespace
}  // namespace lumaro
