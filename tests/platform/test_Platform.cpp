#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/TempDir.h"
#include "platform/Platform.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

void WriteScript(const fs::path& file, const std::string& body) {
    WriteBytes(file, "#!/bin/sh\n" + body + "\n");
    fs::permissions(file, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

// Polls for a file written by a detached program; bounded, so a launch that
// never happens fails the test instead of hanging it.
bool WaitForFile(const fs::path& file) {
    for (int i = 0; i < 500; ++i) {
        if (fs::exists(file) && fs::file_size(file) > 0) {
            // The writer may still be filling it; one more round settles short writes.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// No child process of ours is left to be reaped: launches are detached.
bool NoChildrenLeft() {
    errno = 0;
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

// Replaces PATH while it lives.
class PathOverride {
public:
    explicit PathOverride(const std::string& path) {
        if (const char* old = std::getenv("PATH")) old_ = old;
        ::setenv("PATH", path.c_str(), 1);
    }
    ~PathOverride() { ::setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

TEST(ListOrdinaryFiles, ListsOnlyOrdinaryFilesSortedByName) {
    TempDir dir;
    for (const char* name : {"readme.txt", "Grid.ocx", "b.DLL", "grid.OCX", "dll", "中文.dll", "A.dll"})
        WriteBytes(dir.path() / name, "x");
    WriteBytes(dir.path() / ".x.dll", "hidden");
    fs::create_directory(dir.path() / "a.dll");
    fs::create_directory(dir.path() / "sub");
    WriteBytes(dir.path() / "sub" / "inner.dll", "x");
    fs::create_symlink(dir.path() / "sub", dir.path() / "link.dll");  // a folder behind a link is no file

    const std::vector<std::string> expected = {"A.dll", "b.DLL", "dll", "Grid.ocx", "grid.OCX", "readme.txt", "中文.dll"};
    EXPECT_EQ(platform::ListOrdinaryFiles(dir.path().string()), expected);
    EXPECT_EQ(platform::ListOrdinaryFiles(dir.path().string() + "/"), expected);
}

TEST(ListOrdinaryFiles, MissingEmptyOrFileFolderListsNothing) {
    TempDir dir;
    EXPECT_TRUE(platform::ListOrdinaryFiles(dir.file("missing")).empty());
    EXPECT_TRUE(platform::ListOrdinaryFiles(dir.path().string()).empty());
    WriteBytes(dir.path() / "plain", "x");
    EXPECT_TRUE(platform::ListOrdinaryFiles(dir.file("plain")).empty());
}

TEST(FileExists, TrueOnlyForAnExistingFile) {
    TempDir dir;
    WriteBytes(dir.path() / "calc.exe", "x");
    fs::create_directory(dir.path() / "help.chm");
    EXPECT_TRUE(platform::FileExists(dir.file("calc.exe")));
    EXPECT_FALSE(platform::FileExists(dir.file("help.chm")));
    EXPECT_FALSE(platform::FileExists(dir.file("missing")));
    EXPECT_FALSE(platform::FileExists(""));
}

TEST(FindOnPath, FirstExecutableInPathOrder) {
    TempDir dir;
    const auto first = dir.path() / "first", second = dir.path() / "second with blank";
    WriteBytes(first / "tool", "not executable");
    WriteScript(second / "tool", "exit 0");
    WriteScript(first / "other", "exit 0");
    WriteScript(second / "other", "exit 0");
    fs::create_directories(first / "folder");
    PathOverride path(first.string() + ":" + (dir.path() / "missing").string() + ":" + second.string());

    EXPECT_EQ(platform::FindOnPath("tool"), (second / "tool").string());
    EXPECT_EQ(platform::FindOnPath("other"), (first / "other").string());
    EXPECT_EQ(platform::FindOnPath("folder"), std::nullopt);
    EXPECT_EQ(platform::FindOnPath("absent"), std::nullopt);
    EXPECT_EQ(platform::FindOnPath(""), std::nullopt);
    // A name with a folder is taken as it stands.
    EXPECT_EQ(platform::FindOnPath((second / "tool").string()), (second / "tool").string());
    EXPECT_EQ(platform::FindOnPath((first / "tool").string()), std::nullopt);
}

TEST(RegistrationTool, IsRegsvr32OnThePathOrNothing) {
    TempDir dir;
    {
        PathOverride path(dir.path().string());
        EXPECT_EQ(platform::RegistrationTool(), std::nullopt);
    }
    WriteScript(dir.path() / "regsvr32", "exit 0");
    PathOverride path(dir.path().string());
    EXPECT_EQ(platform::RegistrationTool(), (dir.path() / "regsvr32").string());
}

TEST(SystemDirectory, IsUsrBin) { EXPECT_EQ(platform::SystemDirectory(), "/usr/bin"); }

TEST(SystemLauncher, StartPassesEachArgumentWholeAndLeavesNoChild) {
    TempDir dir;
    const auto out = dir.path() / "out file.txt";
    const std::vector<std::string> args = {"-c", R"(printf '%s|%s' "$1" "$2" > "$3")", "sh", "a b  c", "房产 中介",
                                           out.string()};
    ASSERT_TRUE(platform::SystemLauncher().Start("/bin/sh", args, platform::Show::MinimizedWithFocus));
    ASSERT_TRUE(WaitForFile(out));
    EXPECT_EQ(ReadBytes(out), "a b  c|房产 中介");
    EXPECT_TRUE(NoChildrenLeft());
}

TEST(SystemLauncher, StartFindsAProgramOnThePathAndDoesNotWait) {
    TempDir dir;
    const auto out = dir.path() / "done";
    // The program outlives the launch by far; Start returns while it still sleeps.
    WriteScript(dir.path() / "slow", R"(printf '%s' $$ > "$1"; exec sleep 30)");
    PathOverride path(dir.path().string() + ":/usr/bin:/bin");
    ASSERT_TRUE(platform::SystemLauncher().Start("slow", {out.string()}, platform::Show::Normal));
    ASSERT_TRUE(WaitForFile(out));
    EXPECT_TRUE(NoChildrenLeft());
    // Leave no process behind: the script became the sleep, under the same id.
    const pid_t pid = std::stoi(ReadBytes(out));
    ASSERT_GT(pid, 1);
    EXPECT_EQ(::kill(pid, SIGTERM), 0);
}

TEST(SystemLauncher, StartReportsWhatCannotRun) {
    TempDir dir;
    WriteBytes(dir.path() / "text", "plain text, no program");
    fs::permissions(dir.path() / "text", fs::perms::owner_all);  // marked executable, not runnable
    WriteBytes(dir.path() / "data", "x");                          // not marked executable
    auto& launcher = platform::SystemLauncher();
    EXPECT_FALSE(launcher.Start(dir.file("missing"), {}, platform::Show::Normal));
    EXPECT_FALSE(launcher.Start(dir.file("text"), {}, platform::Show::Normal));
    EXPECT_FALSE(launcher.Start(dir.file("data"), {}, platform::Show::Normal));
    EXPECT_FALSE(launcher.Start(dir.path().string(), {}, platform::Show::Normal));
    PathOverride path(dir.path().string());
    EXPECT_FALSE(launcher.Start("no-such-program", {}, platform::Show::Normal));
    EXPECT_TRUE(NoChildrenLeft());
}

TEST(SystemLauncher, OpenHandsTheTargetToXdgOpen) {
    TempDir dir;
    const auto out = dir.path() / "opened";
    WriteScript(dir.path() / "xdg-open", "printf '%s' \"$1\" > '" + out.string() + "'");
    PathOverride path(dir.path().string() + ":/usr/bin:/bin");
    ASSERT_TRUE(platform::SystemLauncher().Open("mailto:service@example.com?subject=咨询 服务", platform::Show::Normal));
    ASSERT_TRUE(WaitForFile(out));
    EXPECT_EQ(ReadBytes(out), "mailto:service@example.com?subject=咨询 服务");
    EXPECT_TRUE(NoChildrenLeft());
}

TEST(SystemLauncher, OpenFailsWithoutXdgOpen) {
    TempDir dir;
    PathOverride path(dir.path().string());
    EXPECT_FALSE(platform::SystemLauncher().Open("https://example.com/", platform::Show::Normal));
}

TEST(CurrentLauncher, ReplacedAndRestored) {
    struct Null : platform::Launcher {
        bool Open(const std::string&, platform::Show) override { return true; }
        bool Start(const std::string&, const std::vector<std::string>&, platform::Show) override { return true; }
    } null;
    EXPECT_EQ(&platform::CurrentLauncher(), &platform::SystemLauncher());
    platform::SetLauncher(&null);
    EXPECT_EQ(&platform::CurrentLauncher(), &null);
    platform::SetLauncher(nullptr);
    EXPECT_EQ(&platform::CurrentLauncher(), &platform::SystemLauncher());
}

TEST(ExecutablePath, IsTheRunningProgramUnlessOverridden) {
    const std::string real = platform::ExecutablePath();
    EXPECT_TRUE(platform::FileExists(real));
    EXPECT_EQ(fs::path(real).filename(), "platform_test_Platform");
    platform::OverrideExecutablePath("/tmp/x/Foo");
    EXPECT_EQ(platform::ExecutablePath(), "/tmp/x/Foo");
    platform::OverrideExecutablePath(std::nullopt);
    EXPECT_EQ(platform::ExecutablePath(), real);
}

}  // namespace
}  // namespace lumaro
