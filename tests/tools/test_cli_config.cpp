// `lumaro-cli config` as a real process: UTF-8 arguments and output, the file's encoding, exit codes and stderr.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "core/Processes.h"
#include "core/TempDir.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using namespace test;
using ::testing::PrintToString;

// Runs `lumaro-cli config ARGS` in `dir` (so FILE may be relative).
Outcome Cli(const TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), "config");
    return Run(CliProgram(), args, {.folder = Utf8Of(dir.path())});
}

// Set twice, then get: the values, an empty line where there is none, and no missing folder created.
// Text the GBK file cannot hold goes whole into a Unicode file: no code page stands between.
TEST(CliConfig, ChineseRoundTripThroughAGbkFile) {
    TempDir dir;
    const std::string f = "ini/Lumaro.lic", unicode = "ini/Unicode.lic";
    WriteBytes(dir.path() / f, "[Setup]\r\nStatusBar=False\r\n");
    WriteBytes(dir.path() / unicode, "\xFF\xFE");
    const std::pair<std::vector<std::string>, std::string> steps[] = {
        {{"set", f, "按揭咨询", "贷款利率", "0.465"}, ""}, {{"set", f, "按揭咨询", "备注", "房产 中介"}, ""},
        {{"get", f, "按揭咨询", "贷款利率"}, "0.465\n"},   {{"get", f, "按揭咨询", "备注"}, "房产 中介\n"},
        {{"get", f, "Setup", "MainWeb"}, "\n"},           {{"get", "missing/x.lic", "S", "k"}, "\n"},
        {{"set", unicode, "서버", "주소", "한 😀 ä"}, ""},   {{"get", unicode, "서버", "주소"}, "한 😀 ä\n"}};
    for (const auto& [args, out] : steps) EXPECT_EQ(Cli(dir, args), (Outcome{0, Printed(out), ""})) << PrintToString(args);
    EXPECT_NE(ReadBytes(dir.path() / f).find("[\xB0\xB4\xBD\xD2\xD7\xC9\xD1\xAF]"), std::string::npos) << "[按揭咨询] in GBK";
    EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

#ifdef _WIN32
const char* const NoSuchFolder = "(error 3)";  // ERROR_PATH_NOT_FOUND
#else
const char* const NoSuchFolder = "No such file or directory";
#endif

// Each row: arguments, exit code, two things stderr must say; nothing on stdout, no file changed
// and no folder created.
TEST(CliConfig, RefusalsFailuresAndUsageErrors) {
    TempDir dir;
    const std::string file = "ini/Lumaro.lic", before = "[S]\r\nk=old\r\n";
    WriteBytes(dir.path() / file, before);
    WriteBytes(dir.path() / "ini/ReadOnly.lic", before);
    fs::permissions(dir.path() / "ini/ReadOnly.lic", fs::perms::owner_read | fs::perms::group_read);
    const struct { std::vector<std::string> args; int exitCode; std::string says, andSays; } rows[] = {
        {{"set", file, "S", "k", "v\n[Evil]\nx=1"}, 1, "refused", "line break"},
        {{"set", file, "S]", "k", "v"}, 1, "refused", "\"]\""},
        {{"set", file, "S", "k", "\xF0\x9F\x98\x80"}, 1, "refused", "936"},
        {{"set", "ini/ReadOnly.lic", "S", "k", "new"}, 1, "could not write", Printed("unchanged: ini/ReadOnly.lic is read-only\n")},
        {{"set", "missing/ini/x.lic", "S", "k", "v"}, 1, "cannot create the folder", NoSuchFolder},
        {{"get", file, "S"}, 2, "usage", "get takes"},
        {{"set", file, "S", "k", "v", "extra"}, 2, "usage", "set takes"},
        {{"put", file, "S", "k", "v"}, 2, "usage", "put"}};
    for (const auto& r : rows) {
        const auto [exitCode, out, err] = Cli(dir, r.args);
        SCOPED_TRACE(PrintToString(r.args) + " said: " + err);
        EXPECT_EQ(exitCode, r.exitCode);
        EXPECT_EQ(out, "");
        EXPECT_TRUE(err.find(r.says) != std::string::npos && err.find(r.andSays) != std::string::npos);
        EXPECT_EQ(ReadBytes(dir.path() / file) + ReadBytes(dir.path() / "ini/ReadOnly.lic"), before + before);
        EXPECT_FALSE(fs::exists(dir.path() / "missing"));
    }
}

#ifdef _WIN32
// A console at code page 936 runs the command (which prints UTF-8 while it runs) and is asked afterwards.
LUMARO_CHILD_ROLE(CliInAConsoleAt936) {
    ::SetConsoleOutputCP(936);
    Run(CliProgram(), {"config", "get", "missing.lic", "按揭咨询", "贷款利率"});
    return static_cast<int>(::GetConsoleOutputCP());
}

TEST(CliConfig, TheConsoleKeepsItsCodePage) {
    EXPECT_EQ(RunChild("CliInAConsoleAt936", {}, {.folder = {}, .unwritableOutput = false, .ownConsole = true}).exitCode, 936);
}
#endif

}  // namespace
}  // namespace lumaro
