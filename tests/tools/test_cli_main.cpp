// lumaro-cli's own options, as a script or a package check runs it: what it prints, where, and its exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Version.h"
#include "core/Processes.h"

namespace lumaro {
namespace {

TEST(CliMain, VersionHelpAndUnknownCommands) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out, errStart;
    } rows[] = {
        {{"--version"}, 0, test::Printed(std::string("lumaro-cli ") + version::Text + "\n"), ""},
        {{"--version", "x"}, 2, "", "lumaro-cli: unknown command \"--version\""},
        {{}, 2, "", "usage:"},
        {{"frobnicate"}, 2, "", "lumaro-cli: unknown command \"frobnicate\""},
    };
    for (const auto& row : rows) {
        const test::Outcome outcome = test::Run(test::CliProgram(), row.args);
        EXPECT_EQ(outcome.exitCode, row.exitCode);
        EXPECT_EQ(outcome.out, row.out);
        EXPECT_TRUE(outcome.err.starts_with(row.errStart)) << outcome.err;
    }
    const test::Outcome help = test::Run(test::CliProgram(), {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("lumaro-cli --version"), std::string::npos);
}

}  // namespace
}  // namespace lumaro
