// Listing folders, finding programs and starting them detached, through the POSIX platform layer.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/TempDir.h"
#include "platform/Platform.h"

namespace lumaro::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using namespace test;

void WriteScript(const fs::path& file, const std::string& body) {
    WriteBytes(file, "#!/bin/sh\n" + body + "\n");
    fs::permissions(file, fs::perms::owner_all);
}

// What a detached program wrote (in one printf); bounded, so a launch that never happens fails instead of hanging.
std::string WaitForFile(const fs::path& file) {
    for (int i = 0; i < 500 && !(fs::exists(file) && fs::file_size(file) > 0); ++i) ::usleep(20000);
    return ReadBytes(file);
}

// Launches are detached: no child process of ours is left to be reaped.
bool NoChildrenLeft() { return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD; }

struct PathOverride {  // PATH replaced while it lives
    const std::string old = std::getenv("PATH") ? std::getenv("PATH") : "";
    explicit PathOverride(const std::string& path) { ::setenv("PATH", path.c_str(), 1); }
    ~PathOverride() { ::setenv("PATH", old.c_str(), 1); }
};

// Ordinary files only, sorted by name: no hidden files, no folders (nor behind links), no recursion.
TEST(ListOrdinaryFiles, ListsOnlyOrdinaryFilesSortedByName) {
    TempDir dir;
    for (const char* name : {"readme.txt", "Grid.ocx", "b.DLL", "grid.OCX", "dll", "中文.dll", "A.dll", ".x.dll"})
        WriteBytes(dir.path() / name, "x");
    WriteBytes(dir.path() / "a.dll" / "inner.dll", "x");
    fs::create_directory(dir.path() / "empty");
    fs::create_directory_symlink(dir.path() / "a.dll", dir.path() / "link.dll");
    const std::vector<std::string> expected = {"A.dll", "b.DLL", "dll", "Grid.ocx", "grid.OCX", "readme.txt", "中文.dll"};
    EXPECT_EQ(ListOrdinaryFiles(dir.path().string()), expected);
    for (const char* name : {"missing", "empty", "readme.txt"}) EXPECT_TRUE(ListOrdinaryFiles(dir.file(name)).empty());
    EXPECT_TRUE(FileExists(dir.file("readme.txt")));
    for (const auto& path : {dir.file("a.dll"), dir.file("link.dll"), dir.file("missing"), ""s})
        EXPECT_FALSE(FileExists(path)) << path;
}

// The first executable file in PATH order; regsvr32 is found the same way or not at all.
TEST(FindOnPath, FirstExecutableInPathOrder) {
    TempDir dir;
    const auto first = dir.path() / "first", second = dir.path() / "second with blank";
    WriteBytes(first / "tool", "not executable");
    for (const auto& script : {second / "tool", first / "other", second / "other"}) WriteScript(script, "exit 0");
    fs::create_directories(first / "folder");
    PathOverride path(first.string() + ":" + (dir.path() / "missing").string() + ":" + second.string());
    EXPECT_EQ(FindOnPath("tool"), (second / "tool").string());
    EXPECT_EQ(FindOnPath("other"), (first / "other").string());
    for (const char* none : {"folder", "absent", ""}) EXPECT_EQ(FindOnPath(none), std::nullopt) << none;
    EXPECT_EQ(FindOnPath((second / "tool").string()), (second / "tool").string()) << "a path is taken as it stands";
    EXPECT_EQ(RegistrationTool(), std::nullopt);
    WriteScript(second / "regsvr32", "exit 0");
    EXPECT_EQ(RegistrationTool(), (second / "regsvr32").string());
}

// Start finds the program on PATH, passes each argument whole and returns while it
// still runs; what cannot run is reported. No child is left to reap, no process behind.
TEST(SystemLauncher, StartsDetachedOrReportsWhatCannotRun) {
    TempDir dir;
    WriteScript(dir.path() / "slow", R"(printf '%s|%s|%s' $$ "$1" "$2" > "$3"; exec sleep 30)");
    WriteBytes(dir.path() / "text", "plain text, no program");
    fs::permissions(dir.path() / "text", fs::perms::owner_all);  // marked executable, not runnable
    WriteBytes(dir.path() / "data", "x");                          // not marked executable
    PathOverride path(dir.path().string() + ":/usr/bin:/bin");
    ASSERT_TRUE(SystemLauncher().Start("slow", {"a b  c", "房产 中介", dir.file("out")}, Show::MinimizedWithFocus));
    const std::string written = WaitForFile(dir.path() / "out");
    EXPECT_EQ(written.substr(written.find('|') + 1), "a b  c|房产 中介");
    const pid_t pid = std::atoi(written.c_str());  // the script became the sleep, under the same id
    EXPECT_TRUE(pid > 1 && ::kill(pid, SIGTERM) == 0) << written;
    for (const auto& program : {dir.file("missing"), dir.file("text"), dir.file("data"), dir.file(""), "no-such"s})
        EXPECT_FALSE(SystemLauncher().Start(program, {}, Show::Normal)) << program;
    EXPECT_TRUE(NoChildrenLeft());
}

// Open hands the target to xdg-open, and fails where there is none.
TEST(SystemLauncher, OpenHandsTheTargetToXdgOpen) {
    TempDir dir;
    PathOverride path(dir.path().string());
    const std::string target = "mailto:service@example.com?subject=咨询 服务";
    EXPECT_FALSE(SystemLauncher().Open(target, Show::Normal));
    WriteScript(dir.path() / "xdg-open", "printf '%s' \"$1\" > '" + dir.file("opened") + "'");
    ASSERT_TRUE(SystemLauncher().Open(target, Show::Normal));
    EXPECT_EQ(WaitForFile(dir.path() / "opened"), target);
    EXPECT_TRUE(NoChildrenLeft());
}

}  // namespace
}  // namespace lumaro::platform
