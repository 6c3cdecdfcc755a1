// `lumaro-cli schedule`: what the command adds to the computation, namely arguments, output forms and exit codes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "core/Processes.h"
#include "core/Table.h"

const std::string Declining = "期数,本金,利息,应还款\n1,600.00,6.00,606.00\n2,600.00,3.00,603.00\n合计,1200.00,9.00,1209.00\n";

TEST(CliSchedule, OptionsOutputFormsAndUsageErrors) {
    std::string printed;
    bool printing = false;  // the last row was an "out" row
    for (const auto& row : lumaro::test::ReadTable(TEST_SOURCE_DIR "/tables/cli_schedule.txt")) {
        if (row.at(0) == "out") {
            printed = (printing ? printed : "") + row.at(1) + "\n";
            printing = true;
            continue;
        }
        printing = false;
        const std::vector<std::string> args(row.begin() + 1, row.end());
        const int code = row[0] == "refused" ? 2 : 0;
        std::ostringstream out, err;
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_EQ(lumaro::cli::RunScheduleCommand(args, out, err), code);
        EXPECT_EQ(out.str(), code ? "" : printed);
        EXPECT_TRUE(code ? err.str().find("\nusage: lumaro-cli schedule") != err.str().npos : err.str().empty());
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
