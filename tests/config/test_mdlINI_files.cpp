// The settings file on disk: folders, modes, failed and interrupted writes, concurrent writers, huge and binary files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "config/mdlINI.h"
#include "core/TempDir.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using namespace test;
constexpr auto Written = IniWriteResult::Written, Failed = IniWriteResult::Failed;

const std::string Original = "[Regist]\r\nDLL=True\r\n[ServerINFO]\r\nServerIP=10.0.0.1\r\n";

// `f` in a child process that exits 0 when it returns true; Wait gives its wait status.
pid_t Fork(const std::function<bool()>& f) { const pid_t pid = ::fork(); if (!pid) ::_exit(f() ? 0 : 1); return pid; }
int Wait(pid_t pid) { int status = -1; ::waitpid(pid, &status, 0); return status; }
int Mode(const fs::path& file) { return static_cast<int>(fs::status(file).permissions()); }
// How many entries a folder holds: temporary files must not stay behind.
long Entries(const fs::path& folder) { return std::distance(fs::directory_iterator(folder), fs::directory_iterator()); }

class SettingsFile : public ::testing::Test {
protected:
    test::TempDir dir;
    const fs::path folder = dir.path() / "ini";
    const std::string file = (folder / "Lumaro.lic").string();
};

// Only the missing "ini" folder itself is created, never its parent; a new file follows the umask.
TEST_F(SettingsFile, MissingIniFolderCreatedButNotItsParent) {
    const mode_t umask = ::umask(027);
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "True"), Written);
    ::umask(umask);
    EXPECT_EQ(Mode(file), 0640);
    const auto deeper = dir.file("Program/ini/Lumaro.lic");
    EXPECT_EQ(WriteIniValue(deeper, "Regist", "DLL", "True"), Failed);
    EXPECT_FALSE(fs::exists(dir.path() / "Program"));
}

// Run as root too: no write bit for anyone is read-only, as the attribute is on
// Windows. A writable file is replaced keeping its mode.
TEST_F(SettingsFile, ReadOnlyFileOrFolderIsNotReplacedAndModesAreKept) {
    WriteBytes(file, Original);
    for (const int mode : {0444, 0400, 0000, 0555, 0664, 0200}) {
        SCOPED_TRACE(mode);
        const bool writable = mode & 0222;
        fs::permissions(file, static_cast<fs::perms>(mode));
        EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", std::to_string(mode)), writable ? Written : Failed);
        if (!writable) { EXPECT_EQ(ReadBytes(file), Original); }
        EXPECT_EQ(Mode(file), mode);
        EXPECT_EQ(Entries(folder), 1);
    }
    fs::permissions(folder, static_cast<fs::perms>(0555));
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "False"), Failed);
    EXPECT_EQ(WriteIniValue((folder / "New.lic").string(), "Regist", "DLL", "False"), Failed);
    fs::permissions(folder, static_cast<fs::perms>(0755));
    EXPECT_EQ(ReadIniString(file, "Regist", "DLL"), std::to_string(0200)) << "the last writable mode's write";
    EXPECT_EQ(Entries(folder), 1);
}

// A symbolic link stays a link; the file it points to is replaced.
TEST_F(SettingsFile, LinkKeptAndItsTargetWritten) {
    WriteBytes(dir.path() / "shared.lic", Original);
    fs::create_directory(folder);
    fs::create_symlink(dir.path() / "shared.lic", file);
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "False"), Written);
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(ReadIniString((dir.path() / "shared.lic").string(), "Regist", "DLL"), "False");
}

TEST_F(SettingsFile, FolderOrPipeInPlaceOfTheFile) {
    fs::create_directories(folder / "Folder.lic");
    ASSERT_EQ(::mkfifo((folder / "Pipe.lic").c_str(), 0644), 0);
    for (const char* name : {"Folder.lic", "Pipe.lic"}) {
        EXPECT_EQ(ReadIniString((folder / name).string(), "S", "k"), "") << "a pipe nobody writes to must not hang";
        EXPECT_EQ(WriteIniValue((folder / name).string(), "S", "k", "v"), Failed);
    }
    EXPECT_TRUE(fs::is_directory(folder / "Folder.lic") && fs::is_fifo(folder / "Pipe.lic"));
}

// A full disk, simulated with a file-size limit: with SIGXFSZ ignored the write fails part way and says so;
// by default the writer is killed mid-write. Either way the old file stays whole, and no temporary file is
// left (the next writer clears what a dead one left).
TEST_F(SettingsFile, InterruptedWriteKeepsTheOldFile) {
    WriteBytes(file, Original);
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "killed" : "failed");
        const int status = Wait(Fork([&] {
            const rlimit noCore{0, 0}, limit{16, 16};
            ::setrlimit(RLIMIT_CORE, &noCore);
            ::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return WriteIniValue(file, "Regist", "DLL", std::string(4096, 'x')) == Failed;
        }));
        if (killed) EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
        else EXPECT_EQ(status, 0) << "the write must report failure";
        EXPECT_EQ(ReadBytes(file), Original);
        EXPECT_TRUE(killed || Entries(folder) == 1);
    }
    ASSERT_EQ(WriteIniValue(file, "Regist", "DLL", "False"), Written);
    EXPECT_EQ(Entries(folder), 1);
}

// Each writer's keys go alternately to a shared section and to one of its own.
TEST_F(SettingsFile, TwoProcessesWritingDifferentKeysLoseNothing) {
    WriteBytes(file, Original);
    const auto section = [](const std::string& writer, int i) { return i % 2 ? "Shared" : "Own-" + writer; };
    const auto writeAll = [&](const std::string& w) {
        bool ok = true;
        for (int i = 0; i < 200; ++i) ok &= WriteIniValue(file, section(w, i), w + std::to_string(i), "值") == Written;
        return ok;
    };
    const pid_t a = Fork([&] { return writeAll("a"); }), b = Fork([&] { return writeAll("b"); });
    for (const pid_t pid : {a, b}) EXPECT_EQ(Wait(pid), 0);
    int found = 0;
    for (const std::string w : {"a", "b"})
        for (int i = 0; i < 200; ++i) found += ReadIniString(file, section(w, i), w + std::to_string(i)) == "值";
    EXPECT_EQ(found, 400);
    EXPECT_EQ(ReadBytes(file).rfind(Original, 0), 0u) << "the lines that were there stay first";
    EXPECT_EQ(Entries(folder), 1);
}

TEST_F(SettingsFile, WriterStuckHoldingTheLockDoesNotHangOthers) {
    WriteBytes(file, Original);
    // Another copy of the program that froze in the middle of its write.
    const int stuck = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(stuck, LOCK_EX), 0);
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "False"), Failed);
    EXPECT_EQ(ReadBytes(file), Original);
    EXPECT_EQ(ReadIniString(file, "ServerINFO", "ServerIP"), "10.0.0.1") << "reading never waits";
    ::close(stuck);
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "False"), Written);
}

TEST_F(SettingsFile, HugeFilesReadAndWritten) {
    std::string section, bytes;
    for (int k = 0; k < 50; ++k) section += "Key" + std::to_string(k) + "=some value of a reasonable length\r\n";
    for (int s = 0; bytes.size() < (30u << 20); ++s) bytes += "[Section" + std::to_string(s) + "]\r\n" + section;
    WriteBytes(file, bytes += "[Setup]\r\nMainWeb=http://found/\r\n");
    EXPECT_EQ(ReadIniString(file, "setup", "mainweb"), "http://found/");
    ASSERT_EQ(WriteIniValue(file, "Setup", "StatusBar", "False"), Written);
    EXPECT_EQ(ReadBytes(file), bytes + "StatusBar=False\r\n");
    // One 20 MB line of 鞍 (0xB0 0xB0): 511 whole characters fit in 1023 bytes.
    WriteBytes(file, "[S]\r\nk=" + std::string(20u << 20, '\xB0') + "\r\n");
    EXPECT_EQ(ReadIniString(file, "S", "k").size(), 511 * std::string("鞍").size());
}

TEST_F(SettingsFile, BinaryFilesReadSafelyAndKeepTheirBytesOnWrite) {
    std::mt19937 random(20241206);
    std::string garbage(1u << 20, '\0');
    for (auto& c : garbage) c = static_cast<char>(random());
    WriteBytes(file, garbage);
    ASSERT_EQ(WriteIniValue(file, "Lumaro-Test", "Key", "值"), Written);
    EXPECT_EQ(ReadBytes(file).substr(0, garbage.size()), garbage);
    EXPECT_EQ(ReadIniString(file, "Lumaro-Test", "Key"), "值");
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    WriteBytes(file, bytes + "\n[Setup]\n\xFF\xFE\x81\x00=\x01\n[\x80\x81\nStatusBar = \"False\" \n\0[x"s);
    EXPECT_EQ(ReadIniString(file, "Setup", "StatusBar"), "False");
}

}  // namespace
}  // namespace lumaro
