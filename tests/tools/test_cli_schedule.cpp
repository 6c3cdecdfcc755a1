// `lumaro-cli schedule`: what the command adds to the computation, namely arguments, output forms and exit codes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Commands.h"
#include "core/Processes.h"

const std::string Heading = "期数,本金,利息,应还款\n";
const std::string Declining = Heading + "1,600.00,6.00,606.00\n2,600.00,3.00,603.00\n合计,1200.00,9.00,1209.00\n";

// Exit code and output per argument list (defaults 月, 等额法); a usage error (2) prints only the usage, on stderr.
TEST(CliSchedule, OptionsOutputFormsAndUsageErrors) {
    const struct { std::vector<std::string> args; int code = 2; std::string out = ""; } cases[] = {
        {{"1200", "0.5", "2", "--method", "递减法", "--csv"}, 0, Declining},
        {{"--csv", "--method=1", "1200", "0.5", "2"}, 0, Declining},
        {{"1200", "0.5", "2", "--unit", "月", "--method", "-1", "--csv"}, 0, Declining},  // no method selected
        {{"1200", "0.5", "2", "--unit=0", "--method=递减法", "--csv"}, 0, Declining},
        {{"1200", "0.5", ".25", "--unit", "年", "--method", "1", "--csv"}, 0,
         Heading + "1,400.00,6.00,406.00\n2,400.00,4.00,404.00\n3,400.00,2.00,402.00\n合计,1200.00,12.00,1212.00\n"},
        {{"12", "0", "2", "--csv"}, 0, Heading + "1,6.00,0.00,6.00\n2,6.00,0.00,6.00\n合计,12.00,0.00,12.00\n"},
        {{"-1200", "0.5", "2", "--method", "1", "--csv"}, 0,  // a negative amount is an input, not an option
         Heading + "1,-600.00,-6.00,-606.00\n2,-600.00,-3.00,-603.00\n合计,-1200.00,-9.00,-1209.00\n"},
        {{"--csv", "1200", "0.5", "--", "0"}, 0, Heading + "合计,1200.00,,\n"},  // "--" ends the options
        {{"1200", "0.5", "-2", "--csv"}, 0, Heading},                                // starts from an empty table
        {{"1,200", "０．５", "2", "--method", "1", "--csv"}, 0, Declining},  // as typed into the calculator's boxes
        {{"1200", "0.5%", "2"}}, {{"¥1200", "0.5", "2"}}, {{"1200", "0.5", "2年"}},  // no number: refused, not cut short
        {{"1200", "0.5", "2", "--method", "递减法"}, 0,  // plain: labels left, amounts right, Chinese 2 columns wide
         "期数     本金  利息   应还款\n1      600.00  6.00   606.00\n"
         "2      600.00  3.00   603.00\n合计  1200.00  9.00  1209.00\n"},
        {{}}, {{"1", "2"}}, {{"1", "2", "3", "4"}}, {{"1", "2", "3", "--unit"}}, {{"1", "2", "3", "--unit", "日"}},
        {{"1", "2", "3", "--unit", "2"}}, {{"1", "2", "3", "--method", "等额"}}, {{"1", "2", "3", "--method=5"}},
        {{"1", "2", "3", "--json"}},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        SCOPED_TRACE(::testing::PrintToString(c.args));
        EXPECT_EQ(lumaro::cli::RunScheduleCommand(c.args, out, err), c.code);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_TRUE(c.code ? err.str().find("\nusage: lumaro-cli schedule") != err.str().npos : err.str().empty());
    }
}

// The program itself: its exit status and the UTF-8 bytes it prints; output that cannot be written fails it.
TEST(CliSchedule, TheProgramPrintsAndExits) {
    using lumaro::test::Outcome;
    const auto schedule = [](std::vector<std::string> args, lumaro::test::RunOptions options = {}) {
        args.insert(args.begin(), "schedule");
        return lumaro::test::Run(lumaro::test::CliProgram(), args, options);
    };
    EXPECT_EQ(schedule({"1200", "0.5", "2", "--method", "递减法", "--csv"}), (Outcome{0, lumaro::test::Printed(Declining), ""}));
    const auto help = schedule({"--help"});
    EXPECT_TRUE(help.exitCode == 0 && help.out.starts_with("usage: lumaro-cli schedule"));
    EXPECT_EQ(schedule({"1", "2"}).exitCode, 2);
    EXPECT_EQ(schedule({"100000", "0.5", "65535", "--csv"}, {.folder = {}, .unwritableOutput = true}).exitCode, 1);
}
