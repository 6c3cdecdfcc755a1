// The settings file on disk: folders, permissions, failed and interrupted
// writes, concurrent writers, huge and garbage files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "config/mdlINI.h"
#include "core/TempDir.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using namespace std::string_literals;

const std::string Original = "[Regist]\r\nDLL=True\r\n[ServerINFO]\r\nServerIP=10.0.0.1\r\n";

// Everything in `folder` but the settings file itself: temporary files must not stay behind.
std::vector<std::string> Leftovers(const fs::path& folder, const std::string& keep = "Lumaro.lic") {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != keep) names.push_back(entry.path().filename().string());
    }
    return names;
}

mode_t Mode(const fs::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 07777;
}

// Runs `body` in a child process and returns its wait status.
template <class Body>
int InChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

TEST(SettingsFolder, MissingIniFolderCreatedOnFirstWrite) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    EXPECT_EQ(ReadIniString(file, "Regist", "DLL"), "");
    ASSERT_EQ(WriteIniValue(file, "Regist", "DLL", "True"), IniWriteResult::Written);
    EXPECT_TRUE(fs::is_directory(dir.path() / "ini"));
    EXPECT_EQ(ReadIniString(file, "Regist", "DLL"), "True");
}

TEST(SettingsFolder, ParentOfMissingFolderNotCreated) {
    TempDir dir;
    const auto file = dir.file("Program/ini/Lumaro.lic");
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "True"), IniWriteResult::Failed);
    EXPECT_NO_THROW(WriteIniString(file, "Regist", "DLL", "True"));
    EXPECT_FALSE(fs::exists(dir.path() / "Program"));
    EXPECT_EQ(ReadIniString(file, "Regist", "DLL"), "");
}

TEST(SettingsFolder, FileBesideProgramWithoutFolder) {
    TempDir dir;
    const auto cwd = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_EQ(WriteIniValue("Lumaro.lic", "S", "k", "v"), IniWriteResult::Written);
    EXPECT_EQ(ReadIniString("Lumaro.lic", "S", "k"), "v");
    fs::current_path(cwd);
    EXPECT_EQ(ReadBytes(dir.path() / "Lumaro.lic"), "[S]\r\nk=v\r\n");
}

// Run as root too: no write bit for anyone is read-only, as the attribute is on Windows.
TEST(ReadOnly, FileWithoutWriteBitsIsNotReplaced) {
    TempDir dir;
    const auto file = dir.path() / "ini" / "Lumaro.lic";
    WriteBytes(file, Original);
    for (const mode_t mode : {0444, 0400, 0000, 0555}) {
        SCOPED_TRACE(mode);
        fs::permissions(file, static_cast<fs::perms>(mode));
        EXPECT_EQ(WriteIniValue(file.string(), "ServerINFO", "ServerIP", "1.1.1.1"), IniWriteResult::Failed);
        WriteIniString(file.string(), "Regist", "DLL", "False");
        EXPECT_EQ(ReadBytes(file), Original);
        EXPECT_EQ(Mode(file), mode);
        EXPECT_EQ(ReadIniString(file.string(), "ServerINFO", "ServerIP"), "10.0.0.1");
        EXPECT_TRUE(Leftovers(file.parent_path()).empty());
    }
}

TEST(ReadOnly, FolderWithoutWriteBitsIsNotWritten) {
    TempDir dir;
    const auto folder = dir.path() / "ini";
    WriteBytes(folder / "Lumaro.lic", Original);
    fs::permissions(folder, static_cast<fs::perms>(0555));
    EXPECT_EQ(WriteIniValue((folder / "Lumaro.lic").string(), "Regist", "DLL", "False"), IniWriteResult::Failed);
    EXPECT_EQ(WriteIniValue((folder / "New.lic").string(), "Regist", "DLL", "False"), IniWriteResult::Failed);
    fs::permissions(folder, static_cast<fs::perms>(0755));
    EXPECT_EQ(ReadBytes(folder / "Lumaro.lic"), Original);
    EXPECT_TRUE(Leftovers(folder).empty());
}

TEST(Permissions, KeptOnTheNewFile) {
    TempDir dir;
    const auto file = dir.path() / "ini" / "Lumaro.lic";
    WriteBytes(file, Original);
    for (const mode_t mode : {0640, 0600, 0664, 0200}) {
        fs::permissions(file, static_cast<fs::perms>(mode));
        ASSERT_EQ(WriteIniValue(file.string(), "Regist", "DLL", std::to_string(mode)), IniWriteResult::Written);
        EXPECT_EQ(Mode(file), mode);
    }
}

TEST(Permissions, NewFileFollowsTheUmask) {
    TempDir dir;
    const mode_t old = ::umask(027);
    const auto result = WriteIniValue(dir.file("ini/Lumaro.lic"), "S", "k", "v");
    ::umask(old);
    ASSERT_EQ(result, IniWriteResult::Written);
    EXPECT_EQ(Mode(dir.path() / "ini" / "Lumaro.lic"), 0640);
}

TEST(Links, SymbolicLinkStaysAndItsTargetIsWritten) {
    TempDir dir;
    const auto target = dir.path() / "shared" / "agency.lic";
    WriteBytes(target, Original);
    fs::create_directory(dir.path() / "ini");
    const auto link = dir.path() / "ini" / "Lumaro.lic";
    fs::create_symlink(target, link);
    ASSERT_EQ(WriteIniValue(link.string(), "Regist", "DLL", "False"), IniWriteResult::Written);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadIniString(target.string(), "Regist", "DLL"), "False");
    EXPECT_TRUE(Leftovers(dir.path() / "ini").empty());
    EXPECT_TRUE(Leftovers(target.parent_path(), "agency.lic").empty());
}

TEST(NotAFile, FolderOrPipeInPlaceOfTheFile) {
    TempDir dir;
    const auto folder = dir.path() / "ini" / "Folder.lic";
    fs::create_directories(folder);
    EXPECT_EQ(ReadIniString(folder.string(), "S", "k"), "");
    EXPECT_EQ(WriteIniValue(folder.string(), "S", "k", "v"), IniWriteResult::Failed);
    EXPECT_TRUE(fs::is_directory(folder));

    const auto pipe = dir.path() / "ini" / "Pipe.lic";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_EQ(ReadIniString(pipe.string(), "S", "k"), "") << "a pipe nobody writes to must not hang the read";
    EXPECT_EQ(WriteIniValue(pipe.string(), "S", "k", "v"), IniWriteResult::Failed);
    EXPECT_TRUE(fs::is_fifo(pipe));
}

// A full disk, simulated with a file-size limit: the write fails part way.
TEST(InterruptedWrite, FailedWriteKeepsOldFileAndLeavesNoTemporary) {
    TempDir dir;
    const auto file = dir.path() / "ini" / "Lumaro.lic";
    WriteBytes(file, Original);
    const int status = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto result = WriteIniValue(file.string(), "Regist", "DLL", std::string(4096, 'x'));
        ::_exit(result == IniWriteResult::Failed ? 0 : 1);
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must report failure";
    EXPECT_EQ(ReadBytes(file), Original);
    EXPECT_TRUE(Leftovers(file.parent_path()).empty());
}

// The writer killed in the middle of writing: the old file stays whole, and the
// next writer clears what the dead one left.
TEST(InterruptedWrite, KilledWriterLeavesOldFileWhole) {
    TempDir dir;
    const auto file = dir.path() / "ini" / "Lumaro.lic";
    WriteBytes(file, Original);
    const int status = InChild([&] {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        WriteIniValue(file.string(), "Regist", "DLL", std::string(4096, 'x'));
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child was expected to die while writing";
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(ReadBytes(file), Original);
    EXPECT_EQ(ReadIniString(file.string(), "ServerINFO", "ServerIP"), "10.0.0.1");

    ASSERT_EQ(WriteIniValue(file.string(), "Regist", "DLL", "False"), IniWriteResult::Written);
    EXPECT_EQ(ReadIniString(file.string(), "Regist", "DLL"), "False");
    EXPECT_TRUE(Leftovers(file.parent_path()).empty());
}

TEST(Concurrency, TwoProcessesWritingDifferentKeysLoseNothing) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    WriteBytes(file, Original);
    constexpr int Keys = 200;
    std::vector<pid_t> children;
    for (const char* writer : {"a", "b"}) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            int failures = 0;
            for (int i = 0; i < Keys; ++i) {
                const std::string key = std::string(writer) + std::to_string(i);
                // Alternate between a shared section and one of its own.
                const std::string section = i % 2 ? "Shared" : std::string("Own-") + writer;
                if (WriteIniValue(file, section, key, "值" + key) != IniWriteResult::Written) ++failures;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    int found = 0;
    for (const char* writer : {"a", "b"}) {
        for (int i = 0; i < Keys; ++i) {
            const std::string key = std::string(writer) + std::to_string(i);
            const std::string section = i % 2 ? "Shared" : std::string("Own-") + writer;
            if (ReadIniString(file, section, key) == "值" + key) ++found;
        }
    }
    EXPECT_EQ(found, 2 * Keys);
    EXPECT_EQ(ReadIniString(file, "ServerINFO", "ServerIP"), "10.0.0.1");
    EXPECT_EQ(ReadBytes(file).rfind(Original, 0), 0u) << "the lines that were there stay first";
    EXPECT_TRUE(Leftovers(dir.path() / "ini").empty());
}

TEST(Concurrency, WriterStuckHoldingTheLockDoesNotHangOthers) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    WriteBytes(file, Original);
    // Another copy of the program that froze in the middle of its write.
    const int stuck = ::open((dir.path() / "ini").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(stuck, 0);
    ASSERT_EQ(::flock(stuck, LOCK_EX), 0);

    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "True"), IniWriteResult::Failed);
    EXPECT_EQ(ReadBytes(file), Original);
    EXPECT_EQ(ReadIniString(file, "ServerINFO", "ServerIP"), "10.0.0.1") << "reading never waits";

    ::close(stuck);
    EXPECT_EQ(WriteIniValue(file, "Regist", "DLL", "True"), IniWriteResult::Written);
}

TEST(HugeFile, ThirtyMegabytesReadAndWritten) {
    TempDir dir;
    const auto file = dir.path() / "ini" / "Lumaro.lic";
    std::string bytes;
    bytes.reserve(31u << 20);
    for (int s = 0; bytes.size() < (30u << 20); ++s) {
        bytes += "[Section" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 50; ++k) bytes += "Key" + std::to_string(k) + "=some value of a reasonable length\r\n";
    }
    bytes += "[Setup]\r\nMainWeb=http://found/\r\n";
    WriteBytes(file, bytes);
    EXPECT_EQ(ReadIniString(file.string(), "setup", "mainweb"), "http://found/");
    EXPECT_EQ(ReadIniString(file.string(), "Section7", "Key49"), "some value of a reasonable length");
    EXPECT_EQ(ReadIniString(file.string(), "Nowhere", "Key1"), "");

    ASSERT_EQ(WriteIniValue(file.string(), "Setup", "StatusBar", "False"), IniWriteResult::Written);
    EXPECT_EQ(ReadBytes(file), bytes + "StatusBar=False\r\n");
}

TEST(HugeFile, OneHugeLine) {
    TempDir dir;
    const auto file = dir.path() / "ini" / "Lumaro.lic";
    WriteBytes(file, "[S]\r\nk=" + std::string(20u << 20, '\xB0') + "\r\n");
    const auto value = ReadIniString(file.string(), "S", "k");
    std::string expected;
    for (int i = 0; i < 511; ++i) expected += "鞍";  // 0xB0 0xB0; the 512th would end past byte 1023
    EXPECT_TRUE(value == expected) << value.size() << " bytes read";
}

TEST(Garbage, BinaryFileReadsEmptyAndKeepsItsBytesOnWrite) {
    TempDir dir;
    const auto file = dir.path() / "ini" / "Lumaro.lic";
    std::mt19937 random(20241206);
    std::string garbage(1u << 20, '\0');
    for (auto& c : garbage) c = static_cast<char>(random());
    WriteBytes(file, garbage);
    for (const char* section : {"Setup", "", "ServerINFO"}) {
        EXPECT_NO_THROW(ReadIniString(file.string(), section, "StatusBar"));
    }

    ASSERT_EQ(WriteIniValue(file.string(), "Lumaro-Test", "Key", "值"), IniWriteResult::Written);
    const auto after = ReadBytes(file);
    ASSERT_GE(after.size(), garbage.size());
    EXPECT_EQ(after.substr(0, garbage.size()), garbage);
    EXPECT_EQ(ReadIniString(file.string(), "Lumaro-Test", "Key"), "值");
}

TEST(Garbage, ValueFoundAmongBinaryLines) {
    TempDir dir;
    const auto file = dir.path() / "ini" / "Lumaro.lic";
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    bytes += "\n[Setup]\n\xFF\xFE\x81\x00=\x01\n[\x80\x81\nStatusBar = \"False\" \n"s;
    bytes += std::string(1, '\0') + "[x";
    WriteBytes(file, bytes);
    EXPECT_EQ(ReadIniString(file.string(), "Setup", "StatusBar"), "False");
}

}  // namespace
}  // namespace lumaro
