// The repayment schedule: the worked examples, every edge case, reading the boxes, faults and the tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <regex>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "config/Failure.h"
#include "config/Numbers.h"
#include "core/Table.h"
#include "mortgage/Schedule.h"

namespace {

using namespace lumaro;

// The boxes as typed and the two list positions, read as the window reads them; `before`: the period
// count of a schedule computed first into the same table from the same other inputs.
struct In {
    std::string amount, rate, periods;
    int unit = 0, method = 0;
    std::string before = "";
    operator ScheduleInputs() const { return ReadScheduleInputs(amount, rate, periods, unit, method); }
};
std::ostream& operator<<(std::ostream& os, const In& in) {  // amount|rate|periods|unit,method|before
    return os << in.amount << '|' << in.rate << '|' << in.periods << '|' << in.unit << ',' << in.method << '|' << in.before;
}

MemoryScheduleTable Table(const ScheduleInputs& inputs, MemoryScheduleTable table = {}) {
    ComputeSchedule(inputs, table);
    return table;
}

// The table as shown: "label,本金,利息,应还款" per row, an empty field for an empty cell.
std::string Shown(const MemoryScheduleTable& table) {
    const std::string csv = ScheduleCsv(table), heading = "期数,本金,利息,应还款\n";
    EXPECT_TRUE(csv.starts_with(heading));
    return csv.substr(heading.size());
}
std::string Shown(const In& in) {
    const In first{in.amount, in.rate, in.before, in.unit, in.method};
    return Shown(Table(in, in.before.empty() ? MemoryScheduleTable{} : Table(first)));
}

long FaultNumber(auto&& call) try {
    call();
    return 0;
} catch (const Fault& fault) {
    return fault.failure().Number;
}

// The groups of tables/schedules.txt: the table each shows, and its inputs.
std::vector<std::pair<std::string, std::vector<In>>> Groups() {
    std::vector<std::pair<std::string, std::vector<In>>> groups;
    for (const auto& row : lumaro::test::ReadTable(TEST_SOURCE_DIR "/tables/schedules.txt")) {
        if (row.at(0) == "show" && (groups.empty() || !groups.back().second.empty())) groups.emplace_back();
        if (row.at(0) == "show" && row.size() > 1) groups.back().first += row.at(1) + "\n";
        if (row.at(0) != "in") continue;
        const auto number = [&](std::size_t at) { return row.size() > at ? std::stoi(row[at]) : 0; };
        groups.back().second.push_back({row.at(1), row.at(2), row.at(3), number(4), number(5), row.size() > 6 ? row[6] : ""});
    }
    return groups;
}

TEST(Schedule, ComesOutToTheCent) {
    for (const auto& [expected, inputs] : Groups()) {
        for (const In& in : inputs) EXPECT_EQ(Shown(in), expected) << in;
    }
    // Negative amounts mirror positive ones, never showing "-0.00".
    for (const In& in : {In{"-100000", "0.5", "12"}, In{"-100000", "0.5", "12", 0, 1}}) {
        const std::string positive = Shown(In{"100000", in.rate, in.periods, in.unit, in.method});
        EXPECT_EQ(Shown(in), std::regex_replace(positive, std::regex(",(?!0\\.00[,\n])(?=\\d)"), ",-")) << in;
    }
}

TEST(Schedule, LongSchedules) {
    const auto loan = Table(In{"200000", "0.4425", "240"});  // twenty years
    for (int r = 1; r <= 240; ++r) ASSERT_EQ(loan.RowLabel(r) + loan.CellText(r, 3), std::to_string(r) + "1354.40");
    EXPECT_TRUE(Shown(loan).starts_with("1,469.40,885.00,1354.40\n"));
    EXPECT_TRUE(Shown(loan).ends_with("\n240,1348.86,5.97,1354.40\n合计,200000.00,125056.43,325056.00\n"));
    // Periods beyond 32767 are computed like all others, each as AJDK computes it.
    const ScheduleInputs in = In{"1000000", "0.001", "40000"};
    const auto table = Table(in);
    for (int r = 1; r <= 40000; ++r) ASSERT_EQ(table.Cell(r, 3), table.Cell(1, 3)) << r;
    for (int32_t period : {32767, 32768, 32769, 39999}) {
        double BJ = 0, LX = 0;
        AJDK(in.DKJE, in.DKLL, in.DKQS, period, BJ, LX, in.HKFS);
        EXPECT_EQ(table.CellText(period, 1) + " " + table.CellText(period, 2), CentsText(BJ) + " " + CentsText(LX));
    }
    EXPECT_NE(table.CellText(39999, 2), table.CellText(32767, 2));
    EXPECT_EQ(table.RowLabel(40001) + " " + table.CellText(40001, 1), "合计 1000000.00");
    // The largest table: 65535 periods and the totals.
    const auto full = Table(In{"1000000", "0.4", "65535"});
    EXPECT_TRUE(full.HasCell(65535, 3));
    EXPECT_EQ(full.RowLabel(65535) + full.RowLabel(65536) + full.CellText(65536, 1), "65535合计1000000.00");
    EXPECT_EQ(Table(ScheduleInputs{1, 0, std::numeric_limits<double>::quiet_NaN(), 0}).RowCount(), 0);
}

TEST(Schedule, FractionalPeriodCounts) {
    // 12.3 months: 12 rows from the unrounded count, the remainder in row 12.
    const auto declining = Table(In{"100000", "0.5", "12.3", 0, 1}), equal = Table(In{"100000", "0.5", "12.3"});
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(declining.CellText(r, 1), "8130.08") << r;  // 100000 / 12.3
    EXPECT_EQ(declining.CellText(12, 1) + " " + declining.CellText(1, 2), "10569.12 500.00");  // 12 * 8130.08 short
    const double growth = std::pow(1.005, 12.3);
    EXPECT_EQ(equal.CellText(1, 3), CentsText(0.005 * growth / (growth - 1) * 100000));
    EXPECT_EQ(equal.RowLabel(13) + equal.CellText(13, 1) + declining.RowLabel(13), "合计100000.00合计");
    // Halves go to the even count; years are twelve months each.
    EXPECT_EQ(Table(In{"100000", "0.5", "12.5", 0, 1}).RowCount(), 13);
    EXPECT_EQ(Table(In{"100000", "0.5", "13.5", 0, 1}).RowCount(), 15);
    for (int m : {0, 1}) EXPECT_EQ(Shown({"100000", "0.5", "1.5", 1, m}), Shown({"100000", "0.5", "18", 0, m}));
}

TEST(ReadScheduleInputs, ReadsTheBoxesWithTheLeadingNumberParse) {
    const struct { In in; double DKJE, DKLL, DKQS; int16_t HKFS; } cases[] = {
        {{"12,000", "0.5", "12"}, 12, 0.005, 12, 0}, {{".5", ".5", ".5", 1, 0}, 0.5, 0.005, 6, 0},
        {{"&H10", "&H10", "&H10", 0, -1}, 16, 0.16, 16, -1}, {{"1e2", "1e2", "1e2", 1, 1}, 100, 1, 1200, 1},
        // a box too large for a number reads as 0, the others still read; positions beyond the lists
        {{"1e999", "0.5", "12"}, 0, 0.005, 12, 0}, {{"100", "1e999", "12"}, 100, 0, 12, 0},
        {{"100", "0.5", "1e308", 1, 0}, 100, 0.005, 0, 0}, {{"100", "0.5", "12", 2, 70000}, 100, 0.005, 12, 1}};
    for (const auto& c : cases) {
        const ScheduleInputs in = c.in;
        EXPECT_EQ(std::tuple(in.DKJE, in.DKLL, in.DKQS, in.HKFS), std::tuple(c.DKJE, c.DKLL, c.DKQS, c.HKFS)) << c.in;
    }
}

// One period from the inputs alone; a fault leaves BJ and LX (7 and 8 before) as far as they were written.
TEST(AJDK, ComputesOnePeriodOrFaultsPartWay) {
    const struct { double DKJE, DKLL, DKQS; int32_t QS; int16_t HKFS; long fault; double BJ, LX, payment; } cases[] = {
        {100000, 0.005, 12, 12, 0, 0, 8563.82, 42.82, 8606.64},  // before the remainder correction
        {100000, 0, 12, 5, 0, 0, 8333.33, 0, 8333.33},  // no interest: the loan shared out evenly
        {100000, 0, 0, 1, 0, 11, 7, 8, 0},       // ... over no periods: division by zero before anything is stored
        {100000, 0.005, 0, 1, 1, 11, 7, 8, 0},   // the declining share divides by zero
        {0, 0.005, 0, 1, 1, 6, 7, 8, 0},         // 0 / 0
        {1e300, 1e10, 2, 1, 1, 6, 5e299, 8, 0},  // the share is stored before the interest overflows
        {100, -2, 2.5, 1, 0, 5, 7, 8, 0}};       // a rate of -100% and a fractional count: no real power
    for (const auto& c : cases) {
        double BJ = 7, LX = 8, payment = 0;
        const long fault = FaultNumber([&] { payment = AJDK(c.DKJE, c.DKLL, c.DKQS, c.QS, BJ, LX, c.HKFS); });
        EXPECT_EQ(std::tuple(fault, CentsText(BJ), CentsText(LX), CentsText(payment)),
                  std::tuple(c.fault, CentsText(c.BJ), CentsText(c.LX), CentsText(c.payment))) << c.DKJE << " " << c.QS;
    }
}

// Carrying the running principal gives the table of per-period AJDK calls, including walks that overflow
// part-way: in the interest, in the principal repaid at the last pass, at the first pass, and in between.
TEST(Schedule, CarriedPrincipalGivesTheTableOfPerPeriodCalls) {
    for (const ScheduleInputs& in : std::initializer_list<ScheduleInputs>{
             {100000, 0.005, 12, 0}, {200000, 0.004425, 240, 0}, {100000, 0.005, 12.3, 0}, {100000, 0, 12, 0},
             {-5000, 0.01, 36, 0}, {100000, -0.005, 60, 0}, {123456.78, 0.0123, 1000, 0}, {100000, 0.005, 0, 0},
             {7.77777777777777e200, -3, 700, 0}, {1.79e308, 0.001, 11.5, 0}, {1.5e308, -0.5, 0.6, 0},
             {1.6e308, 0.01, 3.5, 0}, {1e290, -3, 700, 0}, {1e300, -3, 40, 0}, {1e307, 0.5, 30, 0},
             {1e300, 1e10, 5, 0}, {100, -2, 2.5, 0}, {100000, 0.005, 12, 1}, {1e300, 1e10, 5, 1}}) {
        MemoryScheduleTable perCall;
        ComputeScheduleByPeriodCalls(in, perCall);
        EXPECT_EQ(Shown(Table(in)), Shown(perCall)) << in.DKJE << " " << in.DKLL << " " << in.DKQS << " " << in.HKFS;
    }
}

}  // namespace
