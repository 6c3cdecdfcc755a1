#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"

namespace lumaro::cli {
namespace {

struct Outcome {
    int code = 0;
    std::string out;
    std::string err;
};

Outcome Schedule(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunScheduleCommand(args, out, err);
    return {code, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Terminal columns of a UTF-8 line whose only wide characters are Chinese.
std::size_t Columns(const std::string& line) {
    std::size_t columns = 0;
    for (std::size_t i = 0; i < line.size();) {
        const auto lead = static_cast<unsigned char>(line[i]);
        if (lead >= 0xE0) {
            columns += 2;
            i += 3;
        } else {
            columns += 1;
            i += 1;
        }
    }
    return columns;
}

const char* const DecliningCsv =
    "期数,本金,利息,应还款\n"
    "1,8333.33,500.00,8833.33\n2,8333.33,458.33,8791.67\n3,8333.33,416.67,8750.00\n"
    "4,8333.33,375.00,8708.33\n5,8333.33,333.33,8666.67\n6,8333.33,291.67,8625.00\n"
    "7,8333.33,250.00,8583.33\n8,8333.33,208.33,8541.67\n9,8333.33,166.67,8500.00\n"
    "10,8333.33,125.00,8458.33\n11,8333.33,83.33,8416.67\n12,8333.37,41.67,8375.00\n"
    "合计,100000.00,3250.00,103250.00\n";

TEST(CliSchedule, CsvOfTheWorkedExample) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"100000", "0.5", "12", "--method", "递减法", "--csv"},
             {"--csv", "--method=1", "100000", "0.5", "12"},
             {"100000", "0.5", "1", "--unit", "年", "--method", "-1", "--csv"},
             {"100000", "0.5", "1", "--unit=1", "--method=递减法", "--csv"}}) {
        const Outcome o = Schedule(args);
        EXPECT_EQ(o.code, 0);
        EXPECT_EQ(o.out, DecliningCsv);
        EXPECT_EQ(o.err, "");
    }
}

TEST(CliSchedule, DefaultsAreMonthsAndEqualPayment) {
    const Outcome defaults = Schedule({"100000", "0.5", "12", "--csv"});
    EXPECT_EQ(defaults.out, Schedule({"100000", "0.5", "12", "--unit", "月", "--method", "等额法", "--csv"}).out);
    EXPECT_EQ(defaults.out, Schedule({"100000", "0.5", "12", "--unit", "-1", "--method", "0", "--csv"}).out);
    const auto lines = Lines(defaults.out);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[1], "1,8106.64,500.00,8606.64");
    EXPECT_EQ(lines[13], "合计,100000.00,3279.73,103279.68");
}

TEST(CliSchedule, PlainTableIsAligned) {
    const Outcome o = Schedule({"200000", "0.4425", "20", "--unit", "年"});
    ASSERT_EQ(o.code, 0);
    const auto lines = Lines(o.out);
    ASSERT_EQ(lines.size(), 242u);
    // Right-aligned amounts: every line ends in the same column, Chinese counted double.
    for (const std::string& line : lines) EXPECT_EQ(Columns(line), Columns(lines[0])) << line;
    EXPECT_EQ(lines[0].substr(0, 6), "期数");
    EXPECT_EQ(lines[1], "1        469.40     885.00    1354.40");
    EXPECT_EQ(lines[241], "合计  200000.00  125056.43  325056.00");
}

TEST(CliSchedule, EmptyCellsAndEmptyTables) {
    EXPECT_EQ(Schedule({"100000", "0.5", "0", "--csv"}).out, "期数,本金,利息,应还款\n合计,100000.00,,\n");
    EXPECT_EQ(Schedule({"", "", "", "--csv"}).out, "期数,本金,利息,应还款\n合计,0.00,,\n");
    // From an empty table, a negative or absurd count leaves no rows at all.
    EXPECT_EQ(Schedule({"100000", "0.5", "-12", "--csv"}).out, "期数,本金,利息,应还款\n");
    EXPECT_EQ(Schedule({"100000", "0.5", "1e9", "--csv"}).out, "期数,本金,利息,应还款\n");
    const Outcome plain = Schedule({"100000", "0.5", "-12"});
    EXPECT_EQ(plain.code, 0);
    EXPECT_EQ(Lines(plain.out).size(), 1u);
    // Zero rate, equal payment: no payment cells.
    const auto zero = Lines(Schedule({"1200", "0", "3", "--csv"}).out);
    EXPECT_EQ(zero[1], "1,0.00,0.00,");
    EXPECT_EQ(zero[3], "3,1200.00,0.00,");
    EXPECT_EQ(zero[4], "合计,1200.00,0.00,0.00");
}

TEST(CliSchedule, InputsReadAsTheCalculatorReadsItsBoxes) {
    const std::string expected = Schedule({"100000", "0.5", "12", "--csv"}).out;
    EXPECT_EQ(Schedule({"1e5", ".5", " 1 2 ", "--csv"}).out, expected);
    EXPECT_EQ(Schedule({"100000元", "0.5%", "&HC", "--csv"}).out, expected);
    EXPECT_EQ(Lines(Schedule({"12,000", "0.5", "12", "--csv"}).out)[13].rfind("合计,12.00,", 0), 0u);
    // Negative amounts are inputs, not options; "--" ends the options.
    EXPECT_EQ(Lines(Schedule({"-100000", "0.5", "12", "--csv"}).out)[1], "1,-8106.64,-500.00,-8606.64");
    EXPECT_EQ(Lines(Schedule({"--csv", "--", "100000", "0.5", "--csv"}).out).size(), 2u);  // "--csv" periods read as 0
}

TEST(CliSchedule, UsageErrorsExitWith2) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"100000", "0.5"},
             {"100000", "0.5", "12", "13"},
             {"100000", "0.5", "12", "--unit"},
             {"100000", "0.5", "12", "--unit", "日"},
             {"100000", "0.5", "12", "--unit", "2"},
             {"100000", "0.5", "12", "--method", "等额"},
             {"100000", "0.5", "12", "--method=5"},
             {"100000", "0.5", "12", "--json"}}) {
        const Outcome o = Schedule(args);
        EXPECT_EQ(o.code, 2) << (args.empty() ? "" : args.back());
        EXPECT_EQ(o.out, "");
        EXPECT_NE(o.err.find("usage: lumaro-cli schedule"), std::string::npos);
    }
    const Outcome help = Schedule({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("usage: lumaro-cli schedule"), std::string::npos);
}

TEST(CliSchedule, TheProgramPrintsTheSchedule) {
    const std::string command = std::string("'") + LUMARO_CLI_PATH + "' schedule 100000 0.5 12 --method 递减法 --csv";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(out, DecliningCsv);

    const std::string bad = std::string("'") + LUMARO_CLI_PATH + "' schedule 1 2 2>/dev/null";
    FILE* badPipe = popen(bad.c_str(), "r");
    ASSERT_NE(badPipe, nullptr);
    while (fread(buffer, 1, sizeof buffer, badPipe) > 0) {
    }
    const int badStatus = pclose(badPipe);
    EXPECT_EQ(WEXITSTATUS(badStatus), 2);
}

}  // namespace
}  // namespace lumaro::cli
