#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "config/Failure.h"
#include "config/Numbers.h"
#include "mortgage/Schedule.h"

namespace lumaro {
namespace {

using Row = std::vector<std::string>;  // label, 本金, 利息, 应还款 as shown

std::vector<Row> Shown(const MemoryScheduleTable& table) {
    std::vector<Row> rows;
    for (int r = 1; r <= table.RowCount(); ++r) {
        rows.push_back({table.RowLabel(r), table.CellText(r, 1), table.CellText(r, 2), table.CellText(r, 3)});
    }
    return rows;
}

MemoryScheduleTable Compute(const ScheduleInputs& inputs) {
    MemoryScheduleTable table;
    ComputeSchedule(inputs, table);
    return table;
}

MemoryScheduleTable Compute(const char* amount, const char* rate, const char* periods, int unit, int method) {
    return Compute(ReadScheduleInputs(amount, rate, periods, unit, method));
}

long FaultNumber(auto&& call) {
    try {
        call();
    } catch (const Fault& fault) {
        return fault.failure().Number;
    }
    return 0;
}

// ---- the worked examples -----------------------------------------------------------

const std::vector<Row> EqualPayment12 = {
    {"1", "8106.64", "500.00", "8606.64"},     {"2", "8147.17", "459.47", "8606.64"},
    {"3", "8187.91", "418.73", "8606.64"},     {"4", "8228.85", "377.79", "8606.64"},
    {"5", "8269.99", "336.65", "8606.64"},     {"6", "8311.34", "295.30", "8606.64"},
    {"7", "8352.90", "253.74", "8606.64"},     {"8", "8394.66", "211.98", "8606.64"},
    {"9", "8436.64", "170.00", "8606.64"},     {"10", "8478.82", "127.82", "8606.64"},
    {"11", "8521.21", "85.43", "8606.64"},     {"12", "8563.87", "42.82", "8606.64"},
    {"合计", "100000.00", "3279.73", "103279.68"},
};

const std::vector<Row> Declining12 = {
    {"1", "8333.33", "500.00", "8833.33"},     {"2", "8333.33", "458.33", "8791.67"},
    {"3", "8333.33", "416.67", "8750.00"},     {"4", "8333.33", "375.00", "8708.33"},
    {"5", "8333.33", "333.33", "8666.67"},     {"6", "8333.33", "291.67", "8625.00"},
    {"7", "8333.33", "250.00", "8583.33"},     {"8", "8333.33", "208.33", "8541.67"},
    {"9", "8333.33", "166.67", "8500.00"},     {"10", "8333.33", "125.00", "8458.33"},
    {"11", "8333.33", "83.33", "8416.67"},     {"12", "8333.37", "41.67", "8375.00"},
    {"合计", "100000.00", "3250.00", "103250.00"},
};

struct ExampleCase {
    const char* name;
    const char* amount;
    const char* rate;
    const char* periods;
    int unit;
    int method;
    const std::vector<Row>* expected;
};

class WorkedExample : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(WorkedExample, ComesOutToTheCent) {
    const auto& c = GetParam();
    EXPECT_EQ(Shown(Compute(c.amount, c.rate, c.periods, c.unit, c.method)), *c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Schedules, WorkedExample,
    ::testing::Values(ExampleCase{"EqualMonths", "100000", "0.5", "12", 0, 0, &EqualPayment12},
                      ExampleCase{"EqualOneYear", "100000", "0.5", "1", 1, 0, &EqualPayment12},
                      ExampleCase{"EqualNoUnit", "100000", "0.5", "12", -1, 0, &EqualPayment12},
                      ExampleCase{"DecliningMonths", "100000", "0.5", "12", 0, 1, &Declining12},
                      ExampleCase{"DecliningOneYear", "100000", "0.5", "1", 1, 1, &Declining12},
                      ExampleCase{"NoMethodIsDeclining", "100000", "0.5", "12", 0, -1, &Declining12},
                      ExampleCase{"TypedLoosely", " 100 000 元", "0.5%", "12期", 0, 0, &EqualPayment12},
                      ExampleCase{"TypedInHex", "100000", ".5", "&HC", 0, 0, &EqualPayment12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Schedule, TwentyYearsEqualPayment) {
    for (auto [periods, unit] : {std::pair{"240", 0}, std::pair{"20", 1}}) {
        const auto table = Compute("200000", "0.4425", periods, unit, 0);
        ASSERT_EQ(table.RowCount(), 241);
        for (int r = 1; r <= 240; ++r) {
            ASSERT_EQ(table.CellText(r, 3), "1354.40") << r;
            ASSERT_EQ(table.RowLabel(r), std::to_string(r));
        }
        EXPECT_EQ(Shown(table)[0], (Row{"1", "469.40", "885.00", "1354.40"}));
        EXPECT_EQ(Shown(table)[239], (Row{"240", "1348.86", "5.97", "1354.40"}));
        EXPECT_EQ(Shown(table)[240], (Row{"合计", "200000.00", "125056.43", "325056.00"}));
    }
}

// ---- the edge cases ------------------------------------------------------------------

TEST(Schedule, ZeroRateEqualPaymentFaultsInEveryPeriod) {
    for (const char* rate : {"0", "", "abc"}) {
        const auto table = Compute("100000", rate, "12", 0, 0);
        ASSERT_EQ(table.RowCount(), 13);
        for (int r = 1; r <= 12; ++r) {
            EXPECT_FALSE(table.HasCell(r, 3)) << r;
            EXPECT_EQ(table.CellText(r, 1), r == 12 ? "100000.00" : "0.00") << r;
            EXPECT_EQ(table.CellText(r, 2), "0.00") << r;
        }
        EXPECT_EQ(Shown(table)[12], (Row{"合计", "100000.00", "0.00", "0.00"}));
    }
}

TEST(Schedule, ZeroRateDeclining) {
    const auto table = Compute("100000", "0", "12", 0, 1);
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(Shown(table)[r - 1], (Row{std::to_string(r), "8333.33", "0.00", "8333.33"}));
    EXPECT_EQ(Shown(table)[11], (Row{"12", "8333.37", "0.00", "8333.33"}));
    EXPECT_EQ(Shown(table)[12], (Row{"合计", "100000.00", "0.00", "99999.96"}));
}

TEST(Schedule, EmptyAmountGivesZeroEverywhere) {
    for (int method : {0, 1}) {
        const auto table = Compute("", "0.5", "6", 0, method);
        ASSERT_EQ(table.RowCount(), 7);
        for (const Row& row : Shown(table)) {
            EXPECT_EQ(row[1], "0.00");
            EXPECT_EQ(row[2], "0.00");
            EXPECT_EQ(row[3], "0.00");
        }
    }
}

TEST(Schedule, NoPeriodsLeaveOnlyTheTotalsRow) {
    for (const char* periods : {"0", "", "0.5", "-0.4", "x"}) {
        for (int method : {0, 1}) {
            EXPECT_EQ(Shown(Compute("100000", "0.5", periods, 0, method)), (std::vector<Row>{{"合计", "100000.00", "", ""}}))
                << periods;
        }
    }
    EXPECT_EQ(Shown(Compute("", "", "", 0, 0)), (std::vector<Row>{{"合计", "0.00", "", ""}}));
}

TEST(Schedule, NegativePeriodsKeepThePreviousRowCount) {
    MemoryScheduleTable table;
    ComputeSchedule(ReadScheduleInputs("100000", "0.5", "-3", 0, 0), table);
    EXPECT_EQ(table.RowCount(), 0);  // a fresh table stays empty

    ComputeSchedule(ReadScheduleInputs("100000", "0.5", "12", 0, 0), table);
    for (const char* periods : {"-1", "-3", "-1e12"}) {
        ComputeSchedule(ReadScheduleInputs("100000", "0.5", periods, 0, 1), table);
        ASSERT_EQ(table.RowCount(), 13) << periods;
        for (int r = 1; r <= 13; ++r) {
            EXPECT_EQ(table.RowLabel(r), EqualPayment12[static_cast<std::size_t>(r - 1)][0]);
            for (int c = 1; c <= 3; ++c) EXPECT_FALSE(table.HasCell(r, c));
        }
    }
}

TEST(Schedule, FractionalMonths) {
    const auto declining = Compute("100000", "0.5", "12.3", 0, 1);
    ASSERT_EQ(declining.RowCount(), 13);
    const std::string share = CentsText(100000 / 12.3);  // 8130.08
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(declining.CellText(r, 1), share);
    const double remainder = 100000 - 12 * CentsValue(share);
    EXPECT_EQ(declining.CellText(12, 1), CentsText(CentsValue(share) + remainder));
    EXPECT_EQ(declining.CellText(13, 1), "100000.00");
    EXPECT_EQ(declining.CellText(1, 2), "500.00");

    const auto equal = Compute("100000", "0.5", "12.3", 0, 0);
    ASSERT_EQ(equal.RowCount(), 13);
    const double g = std::pow(1 + 0.005, 12.3);
    EXPECT_EQ(equal.CellText(1, 3), CentsText(0.005 * g / (g - 1) * 100000));
    EXPECT_NE(equal.CellText(1, 3), "8606.64");
    EXPECT_EQ(equal.CellText(13, 1), "100000.00");

    // Halves go to the even count.
    EXPECT_EQ(Compute("100000", "0.5", "12.5", 0, 1).RowCount(), 13);
    EXPECT_EQ(Compute("100000", "0.5", "13.5", 0, 1).RowCount(), 15);
}

TEST(Schedule, YearsAreTwelveMonthsEach) {
    EXPECT_EQ(Compute("100000", "0.5", "1.5", 1, 0).RowCount(), 19);
    EXPECT_EQ(Shown(Compute("100000", "0.5", "1.5", 1, 1)), Shown(Compute("100000", "0.5", "18", 0, 1)));
    EXPECT_EQ(Shown(Compute("50000", "0.6", "2", 1, 0)), Shown(Compute("50000", "0.6", "24", 0, 0)));
}

TEST(Schedule, NegativeAmountsMirrorPositiveOnes) {
    for (int method : {0, 1}) {
        const auto positive = Shown(Compute("100000", "0.5", "12", 0, method));
        auto negated = positive;
        for (Row& row : negated) {
            for (std::size_t c = 1; c < row.size(); ++c) {
                if (!row[c].empty() && row[c] != "0.00") row[c] = "-" + row[c];
            }
        }
        EXPECT_EQ(Shown(Compute("-100000", "0.5", "12", 0, method)), negated) << method;
    }
}

TEST(Schedule, NegativeRatesAreComputedWithoutComplaint) {
    const auto table = Compute("100000", "-0.5", "12", 0, 1);
    EXPECT_EQ(table.CellText(1, 2), "-500.00");
    EXPECT_EQ(table.CellText(13, 1), "100000.00");
    const auto equal = Compute("100000", "-0.5", "12", 0, 0);
    for (int r = 1; r <= 12; ++r) EXPECT_TRUE(equal.HasCell(r, 3));
}

TEST(Schedule, PeriodsBeyond32767AreComputedLikeAllOthers) {
    const ScheduleInputs in = ReadScheduleInputs("1000000", "0.001", "40000", 0, 0);
    const auto table = Compute(in);
    ASSERT_EQ(table.RowCount(), 40001);
    const double payment = table.Cell(1, 3);
    for (int r = 1; r <= 40000; ++r) ASSERT_EQ(table.Cell(r, 3), payment) << r;
    for (int32_t period : {32767, 32768, 32769, 39999}) {
        double BJ = 0;
        double LX = 0;
        AJDK(in.DKJE, in.DKLL, in.DKQS, period, BJ, LX, in.HKFS);
        EXPECT_EQ(table.CellText(period, 1), CentsText(BJ)) << period;
        EXPECT_EQ(table.CellText(period, 2), CentsText(LX)) << period;
    }
    EXPECT_NE(table.CellText(39999, 2), table.CellText(32767, 2));
    EXPECT_EQ(table.CellText(40001, 1), "1000000.00");
}

TEST(Schedule, TheLargestTableHas65536Rows) {
    const auto full = Compute("1000000", "0.4", "65535", 0, 0);
    ASSERT_EQ(full.RowCount(), ScheduleTable::MaxRows);
    EXPECT_EQ(full.RowLabel(65535), "65535");
    EXPECT_EQ(full.RowLabel(65536), "合计");
    EXPECT_TRUE(full.HasCell(65535, 3));
    EXPECT_EQ(full.CellText(65536, 1), "1000000.00");
}

TEST(Schedule, AbsurdPeriodCountsLeaveTheTableCleared) {
    for (const char* periods : {"65536", "1e9", "3e9", "1e300", "1e999"}) {
        MemoryScheduleTable table;
        ComputeSchedule(ReadScheduleInputs("100000", "0.5", "12", 0, 0), table);
        const auto in = ReadScheduleInputs("100000", "0.5", periods, 0, 0);
        ComputeSchedule(in, table);
        if (std::strcmp(periods, "1e999") == 0) {
            // Too large to read at all: the box reads as 0.
            EXPECT_EQ(Shown(table), (std::vector<Row>{{"合计", "100000.00", "", ""}}));
            continue;
        }
        ASSERT_EQ(table.RowCount(), 13) << periods;
        for (int r = 1; r <= 13; ++r) {
            for (int c = 1; c <= 3; ++c) EXPECT_FALSE(table.HasCell(r, c)) << periods;
        }
    }
    ScheduleInputs in;
    in.DKJE = 1;
    in.DKQS = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Compute(in).RowCount(), 0);
}

TEST(Schedule, ComputingTwiceGivesTheSameTable) {
    for (int method : {0, 1}) {
        MemoryScheduleTable table;
        ComputeSchedule(ReadScheduleInputs("100000", "0.5", "12", 0, method), table);
        const auto first = Shown(table);
        ComputeSchedule(ReadScheduleInputs("100000", "0.5", "12", 0, method), table);
        EXPECT_EQ(Shown(table), first);
    }
}

TEST(Schedule, AShorterScheduleReplacesALongerOne) {
    MemoryScheduleTable table;
    ComputeSchedule(ReadScheduleInputs("100000", "0.5", "240", 0, 0), table);
    ComputeSchedule(ReadScheduleInputs("100000", "0.5", "12", 0, 1), table);
    EXPECT_EQ(Shown(table), Declining12);
}

// ---- reading the boxes -----------------------------------------------------------------

struct InputCase {
    const char* amount;
    const char* rate;
    const char* periods;
    int unit;
    int method;
    double DKJE;
    double DKLL;
    double DKQS;
    int16_t HKFS;
};

class ReadingTheBoxes : public ::testing::TestWithParam<InputCase> {};

TEST_P(ReadingTheBoxes, GivesTheInputs) {
    const auto& c = GetParam();
    const ScheduleInputs in = ReadScheduleInputs(c.amount, c.rate, c.periods, c.unit, c.method);
    EXPECT_EQ(in.DKJE, c.DKJE);
    EXPECT_EQ(in.DKLL, c.DKLL);
    EXPECT_EQ(in.DKQS, c.DKQS);
    EXPECT_EQ(in.HKFS, c.HKFS);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadingTheBoxes,
    ::testing::Values(InputCase{"12,000", "0.5", "12", 0, 0, 12, 0.005, 12, 0},
                      InputCase{" 1 2 ", " .5 ", " 1 2 ", 0, 1, 12, 0.005, 12, 1},
                      InputCase{".5", ".5", ".5", 1, 0, 0.5, 0.005, 6, 0},
                      InputCase{"&H10", "&H10", "&H10", 0, -1, 16, 0.16, 16, -1},
                      InputCase{"1e2", "1e2", "1e2", 1, 1, 100, 1, 1200, 1},
                      InputCase{"", "", "", 0, 0, 0, 0, 0, 0},
                      InputCase{"100000", "0.4425", "20", 1, 0, 100000, 0.4425 / 100, 240, 0},
                      // A box too large for a number reads as 0; the others still read.
                      InputCase{"1e999", "0.5", "12", 0, 0, 0, 0.005, 12, 0},
                      InputCase{"100", "1e999", "12", 0, 0, 100, 0, 12, 0},
                      InputCase{"100", "0.5", "1e308", 1, 0, 100, 0.005, 0, 0},
                      InputCase{"100", "0.5", "12", 2, 70000, 100, 0.005, 12, 1}));

TEST(ReadingTheBoxes, LooselyTypedBoxesGiveTheirSchedules) {
    EXPECT_EQ(Shown(Compute("12,000", "0.5", "12", 0, 0)), Shown(Compute("12", "0.5", "12", 0, 0)));
    EXPECT_EQ(Shown(Compute("1e5", "0.5", " 1 2 ", 0, 0)), EqualPayment12);
    EXPECT_EQ(Compute("1000", "0.5", "&H10", 0, 1).RowCount(), 17);
}

// ---- the per-period function ----------------------------------------------------------------

TEST(AJDK, ComputesOnePeriodFromTheInputsAlone) {
    double BJ = -1;
    double LX = -1;
    EXPECT_DOUBLE_EQ(AJDK(100000, 0.005, 12, 1, BJ, LX, 0), 8606.64);
    EXPECT_EQ(CentsText(BJ), "8106.64");
    EXPECT_EQ(CentsText(LX), "500.00");
    EXPECT_DOUBLE_EQ(AJDK(100000, 0.005, 12, 12, BJ, LX, 0), 8606.64);
    EXPECT_EQ(CentsText(BJ), "8563.82");  // before the remainder correction
    EXPECT_EQ(CentsText(AJDK(100000, 0.005, 12, 2, BJ, LX, 1)), "8791.67");
    EXPECT_EQ(CentsText(LX), "458.33");
    EXPECT_EQ(CentsText(AJDK(100000, 0.005, 12, 2, BJ, LX, -1)), "8791.67");
}

TEST(AJDK, AFaultLeavesTheOutputsAsFarAsWritten) {
    double BJ = 7;
    double LX = 8;
    // Rate 0: the annuity is 0 / 0 before anything is stored.
    EXPECT_EQ(FaultNumber([&] { AJDK(100000, 0, 12, 1, BJ, LX, 0); }), 6);
    EXPECT_EQ(BJ, 7);
    EXPECT_EQ(LX, 8);
    // No periods: the declining share divides by zero.
    EXPECT_EQ(FaultNumber([&] { AJDK(100000, 0.005, 0, 1, BJ, LX, 1); }), 11);
    EXPECT_EQ(FaultNumber([&] { AJDK(0, 0.005, 0, 1, BJ, LX, 1); }), 6);
    EXPECT_EQ(BJ, 7);
    // The share is stored before the interest overflows.
    EXPECT_EQ(FaultNumber([&] { AJDK(1e300, 1e10, 2, 1, BJ, LX, 1); }), 6);
    EXPECT_EQ(BJ, 5e299);
    EXPECT_EQ(LX, 8);
    // A rate of -100% and a fractional count: no real power.
    EXPECT_EQ(FaultNumber([&] { AJDK(100, -2, 2.5, 1, BJ, LX, 0); }), 5);
}

// ---- carrying the running principal changes nothing ----------------------------------------------

class CarriedPrincipal : public ::testing::TestWithParam<ScheduleInputs> {};

}  // namespace

void PrintTo(const ScheduleInputs& in, std::ostream* os) {
    *os << "{DKJE " << in.DKJE << ", DKLL " << in.DKLL << ", DKQS " << in.DKQS << ", HKFS " << in.HKFS << "}";
}

namespace {

void ExpectSameTables(const MemoryScheduleTable& a, const MemoryScheduleTable& b) {
    ASSERT_EQ(a.RowCount(), b.RowCount());
    for (int r = 1; r <= a.RowCount(); ++r) {
        ASSERT_EQ(a.RowLabel(r), b.RowLabel(r)) << r;
        for (int c = 1; c <= 3; ++c) {
            ASSERT_EQ(a.HasCell(r, c), b.HasCell(r, c)) << r << "," << c;
            ASSERT_EQ(a.CellText(r, c), b.CellText(r, c)) << r << "," << c;
        }
    }
}

TEST_P(CarriedPrincipal, GivesTheTableOfPerPeriodCalls) {
    MemoryScheduleTable carried;
    MemoryScheduleTable perCall;
    ComputeSchedule(GetParam(), carried);
    ComputeScheduleByPeriodCalls(GetParam(), perCall);
    ExpectSameTables(carried, perCall);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CarriedPrincipal,
    ::testing::Values(ScheduleInputs{100000, 0.005, 12, 0}, ScheduleInputs{200000, 0.004425, 240, 0},
                      ScheduleInputs{100000, 0.005, 12.3, 0}, ScheduleInputs{100000, 0, 12, 0},
                      ScheduleInputs{-5000, 0.01, 36, 0}, ScheduleInputs{100000, -0.005, 60, 0},
                      ScheduleInputs{123456.78, 0.0123, 1000, 0}, ScheduleInputs{100000, 0.005, 0, 0},
                      // Walks that overflow part-way: in the interest, in the principal
                      // repaid at the last pass, at the first pass, and in between.
                      ScheduleInputs{7.77777777777777e200, -3, 700, 0}, ScheduleInputs{1.79e308, 0.001, 11.5, 0},
                      ScheduleInputs{1.5e308, -0.5, 0.6, 0}, ScheduleInputs{1.6e308, 0.01, 3.5, 0},
                      ScheduleInputs{1e290, -3, 700, 0}, ScheduleInputs{1e300, -3, 40, 0},
                      ScheduleInputs{1e307, 0.5, 30, 0}, ScheduleInputs{1e300, 1e10, 5, 0},
                      ScheduleInputs{100, -2, 2.5, 0}, ScheduleInputs{100000, 0.005, 12, 1},
                      ScheduleInputs{1e300, 1e10, 5, 1}));

TEST(CarriedPrincipal, AWalkThatOverflowsFaultsInEveryLaterPeriod) {
    const auto table = Compute(ScheduleInputs{7.77777777777777e200, -3, 700, 0});
    for (int r = 1; r <= 407; ++r) ASSERT_TRUE(table.HasCell(r, 3)) << r;
    for (int r = 408; r <= 700; ++r) ASSERT_FALSE(table.HasCell(r, 3)) << r;
    // The faulting periods keep the interest of the last pass that succeeded.
    EXPECT_EQ(table.CellText(500, 2), table.CellText(408, 2));
    EXPECT_NE(table.CellText(408, 2), table.CellText(406, 2));
}

// ---- steps are atomic ------------------------------------------------------------------------

// A table that refuses to write one cell, as a grid might.
class RefusingTable : public MemoryScheduleTable {
public:
    RefusingTable(int row, int column) : row_(row), column_(column) {}
    void SetCell(int row, int column, const std::string& text) override {
        if (row == row_ && column == column_) throw errors::InvalidCall();
        MemoryScheduleTable::SetCell(row, column, text);
    }

private:
    int row_;
    int column_;
};

TEST(Schedule, AFailingWriteIsSkippedAndTheRestRuns) {
    RefusingTable table(5, 1);
    ComputeSchedule(ReadScheduleInputs("100000", "0.5", "12", 0, 0), table);
    auto expected = EqualPayment12;
    expected[4][1] = "";
    // Row 5's principal never reached the total, so the remainder brings it back in row 12.
    expected[11][1] = CentsText(8563.87 + 8269.99);
    EXPECT_EQ(Shown(table), expected);

    RefusingTable totals(13, 2);
    ComputeSchedule(ReadScheduleInputs("100000", "0.5", "12", 0, 0), totals);
    expected = EqualPayment12;
    expected[12][2] = "";
    EXPECT_EQ(Shown(totals), expected);
}

// ---- the in-memory table ----------------------------------------------------------------------

TEST(MemoryScheduleTable, RefusesEverythingOutsideItself) {
    MemoryScheduleTable table;
    EXPECT_EQ(FaultNumber([&] { table.Cell(1, 1); }), 9);
    table.SetRowCount(2);
    table.SetCell(2, 3, "1.50");
    table.SetRowLabel(2, "合计");
    for (auto [row, column] : {std::pair{0, 1}, std::pair{3, 1}, std::pair{1, 0}, std::pair{1, 4}, std::pair{-1, -1}}) {
        EXPECT_EQ(FaultNumber([&] { table.SetCell(row, column, "1.00"); }), 9);
        EXPECT_EQ(FaultNumber([&] { table.Cell(row, column); }), 9);
        EXPECT_EQ(FaultNumber([&] { table.CellText(row, column); }), 9);
    }
    EXPECT_EQ(FaultNumber([&] { table.SetRowLabel(0, "x"); }), 9);
    EXPECT_EQ(FaultNumber([&] { table.RowLabel(3); }), 9);
    for (int rows : {0, -1, ScheduleTable::MaxRows + 1}) {
        EXPECT_EQ(FaultNumber([&] { table.SetRowCount(rows); }), 9);
    }
    // Nothing refused changed anything.
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.CellText(2, 3), "1.50");
    EXPECT_EQ(table.Cell(2, 3), 1.5);
    EXPECT_EQ(table.Cell(1, 1), 0);
    EXPECT_EQ(table.CellText(1, 1), "");
    EXPECT_EQ(table.RowLabel(2), "合计");
}

TEST(MemoryScheduleTable, ClearsCellsResizesAndKeepsLabels) {
    MemoryScheduleTable table;
    table.SetRowCount(3);
    table.SetRowLabel(3, "合计");
    table.SetCell(3, 1, "-2.35");
    table.SetCell(1, 2, "0.00");
    EXPECT_TRUE(table.HasCell(1, 2));
    EXPECT_EQ(table.CellText(3, 1), "-2.35");
    EXPECT_EQ(FaultNumber([&] { table.SetCell(1, 1, "1e999"); }), 6);
    EXPECT_FALSE(table.HasCell(1, 1));
    table.Clear();
    EXPECT_FALSE(table.HasCell(3, 1));
    EXPECT_FALSE(table.HasCell(1, 2));
    EXPECT_EQ(table.RowLabel(3), "合计");
    table.SetCell(2, 2, "5.00");
    table.SetRowCount(2);
    EXPECT_EQ(table.CellText(2, 2), "5.00");
    table.SetRowCount(4);
    EXPECT_EQ(table.RowLabel(4), "");
    EXPECT_FALSE(table.HasCell(4, 3));
    EXPECT_EQ(table.RowLabel(3), "");  // the row was dropped and came back new
}

// ---- CSV ----------------------------------------------------------------------------------

TEST(ScheduleCsv, WritesTheRowsAsShown) {
    const auto declining = Compute("100000", "0.5", "12", 0, 1);
    std::string expected = "期数,本金,利息,应还款\n";
    for (const Row& row : Declining12) expected += row[0] + "," + row[1] + "," + row[2] + "," + row[3] + "\n";
    EXPECT_EQ(ScheduleCsv(declining), expected);

    EXPECT_EQ(ScheduleCsv(Compute("100000", "0.5", "0", 0, 0)), "期数,本金,利息,应还款\n合计,100000.00,,\n");
    EXPECT_EQ(ScheduleCsv(MemoryScheduleTable{}), "期数,本金,利息,应还款\n");

    MemoryScheduleTable odd;
    odd.SetRowCount(2);
    odd.SetRowLabel(1, "a,\"b\"");
    EXPECT_EQ(ScheduleCsv(odd), "期数,本金,利息,应还款\n\"a,\"\"b\"\"\",,,\n,,,\n");
}

}  // namespace
}  // namespace lumaro
