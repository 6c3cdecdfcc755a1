// `lumaro-cli config` as a real process: UTF-8 arguments and output, the GBK file, exit codes and stderr.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/TempDir.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using namespace test;
using ::testing::PrintToString;

using Outcome = std::tuple<int, std::string, std::string>;  // exit code, stdout, stderr

// Runs `lumaro-cli config ARGS` in `dir` (so FILE may be relative); no argument holds a "'".
Outcome Cli(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = "cd '" + dir.path().string() + "' && '" LUMARO_CLI_PATH "' config";
    for (const auto& a : args) command += " '" + a + "'";
    FILE* pipe = ::popen((command + " 2>stderr.txt").c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ReadBytes(dir.path() / "stderr.txt")};
}

// Set twice, then get: the values, an empty line where there is none, and no missing folder created.
TEST(CliConfig, ChineseRoundTripThroughAGbkFile) {
    TempDir dir;
    const std::string f = "ini/Lumaro.lic";
    WriteBytes(dir.path() / f, "[Setup]\r\nStatusBar=False\r\n");
    const std::pair<std::vector<std::string>, std::string> steps[] = {
        {{"set", f, "按揭咨询", "贷款利率", "0.465"}, ""}, {{"set", f, "按揭咨询", "备注", "房产 中介"}, ""},
        {{"get", f, "按揭咨询", "贷款利率"}, "0.465\n"},   {{"get", f, "按揭咨询", "备注"}, "房产 中介\n"},
        {{"get", f, "Setup", "MainWeb"}, "\n"},           {{"get", "missing/x.lic", "S", "k"}, "\n"}};
    for (const auto& [args, out] : steps) EXPECT_EQ(Cli(dir, args), Outcome(0, out, "")) << PrintToString(args);
    // [按揭咨询] 贷款利率=0.465 备注=房产 中介, in GBK.
    EXPECT_EQ(ReadBytes(dir.path() / f),
              "[Setup]\r\nStatusBar=False\r\n[\xB0\xB4\xBD\xD2\xD7\xC9\xD1\xAF]\r\n"
              "\xB4\xFB\xBF\xEE\xC0\xFB\xC2\xCA=0.465\r\n\xB1\xB8\xD7\xA2=\xB7\xBF\xB2\xFA \xD6\xD0\xBD\xE9\r\n");
    EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

// Each row: arguments, exit code, two things stderr must say; nothing on stdout, no file changed.
TEST(CliConfig, RefusalsFailuresAndUsageErrors) {
    TempDir dir;
    const std::string file = "ini/Lumaro.lic", before = "[S]\r\nk=old\r\n";
    WriteBytes(dir.path() / file, before);
    WriteBytes(dir.path() / "ini/ReadOnly.lic", before);
    fs::permissions(dir.path() / "ini/ReadOnly.lic", fs::perms::owner_read | fs::perms::group_read);
    const struct { std::vector<std::string> args; int exitCode; const char *says, *andSays; } rows[] = {
        {{"set", file, "S", "k", "v\n[Evil]\nx=1"}, 1, "refused", "line break"},
        {{"set", file, "S]", "k", "v"}, 1, "refused", "\"]\""},
        {{"set", file, "S", "k", "\xF0\x9F\x98\x80"}, 1, "refused", "936"},
        {{"set", "ini/ReadOnly.lic", "S", "k", "new"}, 1, "could not write", "read-only"},
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
    }
}

}  // namespace
}  // namespace lumaro
