// `lumaro-cli config`: the settings file from a shell, run as a real process.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "config/mdlINI.h"
#include "core/TempDir.h"

extern char** environ;

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs `program` with `args`, its output and errors caught in files of `dir`.
Outcome Run(const TempDir& dir, const std::string& program, const std::vector<std::string>& args) {
    static int runs = 0;
    const std::string outFile = dir.file("stdout-" + std::to_string(runs));
    const std::string errFile = dir.file("stderr-" + std::to_string(runs++));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    Outcome outcome;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    outcome.out = ReadBytes(outFile);
    outcome.err = ReadBytes(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return outcome;
}

Outcome Cli(const TempDir& dir, const std::vector<std::string>& args) {
    std::vector<std::string> all{"config"};
    all.insert(all.end(), args.begin(), args.end());
    return Run(dir, LUMARO_CLI_PATH, all);
}

TEST(CliConfig, ChineseRoundTripThroughAGbkFile) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    WriteBytes(file, "[Setup]\r\nStatusBar=False\r\n");
    for (const auto& [key, value] :
         std::vector<std::pair<std::string, std::string>>{{"贷款利率", "0.465"}, {"贷款期数", "1"}, {"备注", "房产 中介"}}) {
        const auto set = Cli(dir, {"set", file, "按揭咨询", key, value});
        EXPECT_EQ(set.exitCode, 0) << set.err;
        EXPECT_EQ(set.out, "");
        EXPECT_EQ(set.err, "");
    }
    const auto get = Cli(dir, {"get", file, "按揭咨询", "贷款利率"});
    EXPECT_EQ(get.exitCode, 0);
    EXPECT_EQ(get.out, "0.465\n");
    EXPECT_EQ(Cli(dir, {"get", file, "按揭咨询", "备注"}).out, "房产 中介\n");
    EXPECT_EQ(ReadBytes(file),
              "[Setup]\r\nStatusBar=False\r\n"
              "[\xB0\xB4\xBD\xD2\xD7\xC9\xD1\xAF]\r\n"     // [按揭咨询]
              "\xB4\xFB\xBF\xEE\xC0\xFB\xC2\xCA=0.465\r\n"  // 贷款利率
              "\xB4\xFB\xBF\xEE\xC6\xDA\xCA\xFD=1\r\n"      // 贷款期数
              "\xB1\xB8\xD7\xA2=\xB7\xBF\xB2\xFA \xD6\xD0\xBD\xE9\r\n");
}

TEST(CliConfig, GetReadsWhatTheProgramWrote) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    WriteIniString(file, "ServerINFO", "ServerIP", "http://192.168.1.5");
    WriteBytes(dir.file("ini/Gbk.lic"), "[\xB0\xB4\xBD\xD2\xD7\xC9\xD1\xAF]\n\xB4\xFB\xBF\xEE\xC0\xFB\xC2\xCA = '0.5' \n");
    EXPECT_EQ(Cli(dir, {"get", file, "serverinfo", "SERVERIP"}).out, "http://192.168.1.5\n");
    EXPECT_EQ(Cli(dir, {"get", dir.file("ini/Gbk.lic"), "按揭咨询", "贷款利率"}).out, "0.5\n");
}

TEST(CliConfig, NothingThereIsAnEmptyLine) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    WriteBytes(file, "[Setup]\r\nMainWeb=\r\n");
    for (const auto& args : std::vector<std::vector<std::string>>{{"get", file, "Setup", "MainWeb"},
                                                                  {"get", file, "Setup", "StatusBar"},
                                                                  {"get", file, "Regist", "DLL"},
                                                                  {"get", dir.file("missing/x.lic"), "S", "k"}}) {
        const auto get = Cli(dir, args);
        EXPECT_EQ(get.exitCode, 0);
        EXPECT_EQ(get.out, "\n");
        EXPECT_EQ(get.err, "");
    }
    EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

struct RefusedCase {
    const char* name;
    std::vector<std::string> sectionKeyValue;
    const char* says;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class CliRefusal : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(CliRefusal, ExitsOneSaysWhyAndChangesNothing) {
    const auto& c = GetParam();
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    const std::string before = "[S]\nk=old\n";
    WriteBytes(file, before);
    std::vector<std::string> args{"set", file};
    args.insert(args.end(), c.sectionKeyValue.begin(), c.sectionKeyValue.end());
    const auto set = Cli(dir, args);
    EXPECT_EQ(set.exitCode, 1);
    EXPECT_NE(set.err.find("refused"), std::string::npos) << set.err;
    EXPECT_NE(set.err.find(c.says), std::string::npos) << set.err;
    EXPECT_EQ(set.out, "");
    EXPECT_EQ(ReadBytes(file), before);
}

INSTANTIATE_TEST_SUITE_P(
    Injections, CliRefusal,
    ::testing::Values(RefusedCase{"value_line_break", {"S", "k", "v\n[Evil]\nx=1"}, "line break"},
                      RefusedCase{"section_close", {"S]", "k", "v"}, "\"]\""},
                      RefusedCase{"not_gbk", {"S", "k", "\xF0\x9F\x98\x80"}, "936"}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(CliConfig, FailedWriteExitsOneAndSaysSo) {
    TempDir dir;
    const auto file = dir.path() / "ini" / "Lumaro.lic";
    WriteBytes(file, "[S]\r\nk=old\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto set = Cli(dir, {"set", file.string(), "S", "k", "new"});
    EXPECT_EQ(set.exitCode, 1);
    EXPECT_NE(set.err.find("could not write"), std::string::npos) << set.err;
    EXPECT_NE(set.err.find("read-only"), std::string::npos) << set.err;
    EXPECT_EQ(ReadBytes(file), "[S]\r\nk=old\r\n");

    const auto noParent = Cli(dir, {"set", dir.file("no/such/ini/x.lic"), "S", "k", "v"});
    EXPECT_EQ(noParent.exitCode, 1);
    EXPECT_NE(noParent.err.find("could not write"), std::string::npos) << noParent.err;
}

TEST(CliConfig, UsageErrorsExitTwo) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"get"},
                                                                  {"get", file, "S"},
                                                                  {"get", file, "S", "k", "extra"},
                                                                  {"set", file, "S", "k"},
                                                                  {"set", file, "S", "k", "v", "extra"},
                                                                  {"put", file, "S", "k", "v"}}) {
        const auto run = Cli(dir, args);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("usage"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(fs::exists(file)) << "a usage error writes nothing";
}

TEST(CliConfig, InProcessCommandMatchesTheProgram) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunConfigCommand({"set", file, "Regist", "DLL", "True"}, out, err), 0);
    EXPECT_EQ(cli::RunConfigCommand({"get", file, "regist", "dll"}, out, err), 0);
    EXPECT_EQ(out.str(), "True\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(cli::RunConfigCommand({"set", file, "Regist", "DLL", "a\rb"}, out, err), 1);
    EXPECT_EQ(cli::RunConfigCommand({"frob"}, out, err), 2);
}

// Two shells setting keys in a loop at the same time: every key arrives.
TEST(CliConfig, TwoProcessesSettingAtOnceLoseNothing) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    constexpr int Keys = 25;
    const std::string script =
        "i=0; while [ $i -lt " + std::to_string(Keys) +
        " ]; do \"$0\" config set \"$1\" 并发 \"$2$i\" \"值$i\" || exit 1; i=$((i+1)); done";
    std::vector<pid_t> shells;
    for (const char* prefix : {"a", "b"}) {
        std::vector<std::string> all{"/bin/sh", "-c", script, LUMARO_CLI_PATH, file, prefix};
        std::vector<char*> argv;
        for (auto& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv.data(), environ), 0);
        shells.push_back(pid);
    }
    for (const pid_t pid : shells) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (const char* prefix : {"a", "b"}) {
        for (int i = 0; i < Keys; ++i) {
            EXPECT_EQ(ReadIniString(file, "并发", prefix + std::to_string(i)), "值" + std::to_string(i));
        }
    }
}

}  // namespace
}  // namespace lumaro
