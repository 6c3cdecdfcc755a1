#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <random>
#include <cstdint>
#include <limits>
#include <string>

#include "config/Failure.h"
#include "config/Numbers.h"

namespace lumaro {
namespace {

bool ThrowsOverflow(auto&& call) {
    try {
        call();
    } catch (const Fault& fault) {
        return fault.failure().Number == 6;
    }
    return false;
}

// Switches the C locale to one whose decimal point is a comma, if one exists.
bool UseCommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name)) return true;
    }
    return false;
}

// ---- Val -------------------------------------------------------------------

struct ValCase {
    const char* text;
    double expected;
};

class ValTest : public ::testing::TestWithParam<ValCase> {};

TEST_P(ValTest, ReadsTheLeadingNumber) {
    const auto& c = GetParam();
    EXPECT_EQ(Val(c.text), c.expected) << "text: \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValTest,
    ::testing::Values(
        // no leading number
        ValCase{"", 0}, ValCase{"abc", 0}, ValCase{"-", 0}, ValCase{"+", 0}, ValCase{".", 0}, ValCase{"-.", 0},
        ValCase{"e5", 0}, ValCase{".e5", 0}, ValCase{"+-3", 0}, ValCase{"--3", 0}, ValCase{"   ", 0},
        ValCase{"\xE4\xB8\x80", 0} /* 一 */, ValCase{"$5", 0},
        // plain numbers and what follows them
        ValCase{"12,000", 12}, ValCase{"0.5%", 0.5}, ValCase{"000888", 888}, ValCase{"+3", 3}, ValCase{"-2.25", -2.25},
        ValCase{".5", 0.5}, ValCase{"-.5", -0.5}, ValCase{"5.", 5}, ValCase{"1.2.3", 1.2}, ValCase{"100000", 100000},
        ValCase{"0.4425", 0.4425}, ValCase{"12abc", 12}, ValCase{"3-4", 3}, ValCase{"7\xE5\xB9\xB4", 7} /* 7年 */,
        // blanks, tabs, CR and LF anywhere
        ValCase{" 1 2 ", 12}, ValCase{"\t-\t1 . 5", -1.5}, ValCase{"1\r\n2", 12}, ValCase{" 1 e 2", 100},
        ValCase{"1 2 3 4 5 6 7 8 9", 123456789},
        // exponents, E or D, with or without sign
        ValCase{"1e2", 100}, ValCase{"1E2", 100}, ValCase{"1.5D2", 150}, ValCase{"1d-2", 0.01}, ValCase{"2e+3", 2000},
        ValCase{"1e", 1}, ValCase{"1e+", 1}, ValCase{"1e-", 1}, ValCase{"1ex", 1}, ValCase{"1e2.5", 100},
        ValCase{"1e0000000000000000000002", 100}, ValCase{"1e-400", 0}, ValCase{"1e-99999999999999999999", 0},
        ValCase{"0e999999999999", 0}, ValCase{"1.7976931348623157e308", 1.7976931348623157e308},
        ValCase{"4.9e-324", 4.9e-324},
        // &H and &O: 16-bit when the value fits 16 bits, else 32-bit
        ValCase{"&H10", 16}, ValCase{"&h10", 16}, ValCase{"&O17", 15}, ValCase{"&o17", 15}, ValCase{"&HFFFF", -1},
        ValCase{"&H8000", -32768}, ValCase{"&H7FFF", 32767}, ValCase{"&H10000", 65536},
        ValCase{"&HFFFFFFFF", -1}, ValCase{"&H7FFFFFFF", 2147483647}, ValCase{"&H80000000", -2147483648.0},
        ValCase{"&H0000000010", 16}, ValCase{"&O177777", -1}, ValCase{"&O200000", 65536},
        ValCase{"&O37777777777", -1}, ValCase{"&Hff.5", 255}, ValCase{"&O18", 1}, ValCase{"& H 1 0", 16},
        ValCase{"&H", 0}, ValCase{"&HG", 0}, ValCase{"&", 0}, ValCase{"&X10", 0}, ValCase{"&10", 0},
        ValCase{"-&H10", 0}));

TEST(Val, ParsesCorrectlyRoundedWhateverTheLocale) {
    // A decimal comma in the user's locale must not change anything.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (UseCommaLocale()) {
        EXPECT_EQ(Val("0.1"), 0.1);
        EXPECT_EQ(Val("2.345"), 2.345);
        EXPECT_EQ(Val("8606.6432"), 8606.6432);
        EXPECT_EQ(Val("0,5"), 0);
        std::setlocale(LC_ALL, saved.c_str());
    }
    // Halfway and long-digit inputs come out correctly rounded.
    EXPECT_EQ(Val("9007199254740993"), 9007199254740992.0);
    EXPECT_EQ(Val("0.30000000000000004"), 0.30000000000000004);
    EXPECT_EQ(Val("2.2250738585072011e-308"), 2.2250738585072011e-308);
    EXPECT_EQ(Val(std::string(5000, '0') + "1.5"), 1.5);
    EXPECT_EQ(Val("0." + std::string(400, '0') + "1e405"), 10000);
}

TEST(Val, NumbersBeyondTheDoubleRangeOverflow) {
    for (const char* text : {"1e309", "-1e309", "1.8e308", "1e99999999999999999999", "&H100000000", "&HFFFFFFFFF",
                             "&O40000000000", "&H0FFFFFFFFF"}) {
        EXPECT_TRUE(ThrowsOverflow([&] { Val(text); })) << text;
    }
    EXPECT_TRUE(ThrowsOverflow([] { Val(std::string(400, '9')); }));
    // Hexadecimal leading zeros do not count.
    EXPECT_EQ(Val("&H" + std::string(100, '0') + "1"), 1);
}

TEST(Val, HugeTextsDoNotHang) {
    EXPECT_EQ(Val(std::string(5'000'000, ' ') + "42"), 42);
    EXPECT_EQ(Val("7" + std::string(5'000'000, '.')), 7);
    EXPECT_TRUE(ThrowsOverflow([] { Val(std::string(1'000'000, '1')); }));
}

// ---- CInt / CLng -------------------------------------------------------------

struct RoundCase {
    double value;
    long long expected;  // or the overflow marker
};
constexpr long long Overflows = std::numeric_limits<long long>::min();

class CIntTest : public ::testing::TestWithParam<RoundCase> {};
TEST_P(CIntTest, RoundsHalvesToEven) {
    const auto& c = GetParam();
    if (c.expected == Overflows) {
        EXPECT_TRUE(ThrowsOverflow([&] { CInt(c.value); })) << c.value;
    } else {
        EXPECT_EQ(CInt(c.value), c.expected) << c.value;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Values, CIntTest,
    ::testing::Values(RoundCase{0, 0}, RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2}, RoundCase{12.5, 12},
                      RoundCase{13.5, 14}, RoundCase{-0.5, 0}, RoundCase{-1.5, -2}, RoundCase{-2.5, -2},
                      RoundCase{0.49999999999999994, 0}, RoundCase{1.4999999999999998, 1}, RoundCase{2.5000000000000004, 3},
                      RoundCase{32767, 32767}, RoundCase{32767.4, 32767}, RoundCase{32767.5, Overflows},
                      RoundCase{32768, Overflows}, RoundCase{-32768, -32768}, RoundCase{-32768.5, -32768},
                      RoundCase{-32768.50001, Overflows}, RoundCase{-32769, Overflows}, RoundCase{1e300, Overflows},
                      RoundCase{std::numeric_limits<double>::infinity(), Overflows},
                      RoundCase{-std::numeric_limits<double>::infinity(), Overflows},
                      RoundCase{std::numeric_limits<double>::quiet_NaN(), Overflows}));

class CLngTest : public ::testing::TestWithParam<RoundCase> {};
TEST_P(CLngTest, RoundsHalvesToEven) {
    const auto& c = GetParam();
    if (c.expected == Overflows) {
        EXPECT_TRUE(ThrowsOverflow([&] { CLng(c.value); })) << c.value;
    } else {
        EXPECT_EQ(CLng(c.value), c.expected) << c.value;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Values, CLngTest,
    ::testing::Values(RoundCase{12.3, 12}, RoundCase{12.5, 12}, RoundCase{13.5, 14}, RoundCase{-3.5, -4},
                      RoundCase{65535, 65535}, RoundCase{2147483647, 2147483647}, RoundCase{2147483647.5, Overflows},
                      RoundCase{2147483646.5, 2147483646}, RoundCase{-2147483648.0, -2147483648LL},
                      RoundCase{-2147483648.5, -2147483648LL}, RoundCase{-2147483649.0, Overflows},
                      RoundCase{1e12, Overflows}, RoundCase{std::numeric_limits<double>::quiet_NaN(), Overflows}));

// ---- NumberText --------------------------------------------------------------

struct TextCase {
    double value;
    const char* expected;
};

class NumberTextTest : public ::testing::TestWithParam<TextCase> {};
TEST_P(NumberTextTest, ShowsUpTo15SignificantDigits) { EXPECT_EQ(NumberText(GetParam().value), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextTest,
    ::testing::Values(TextCase{0, "0"}, TextCase{-0.0, "0"}, TextCase{0.5, "0.5"}, TextCase{888, "888"},
                      TextCase{100000, "100000"}, TextCase{0.1, "0.1"}, TextCase{-2.25, "-2.25"},
                      TextCase{1.0 / 3, "0.333333333333333"}, TextCase{2.0 / 3, "0.666666666666667"},
                      TextCase{0.1 + 0.2, "0.3"}, TextCase{1e15, "1E+15"}, TextCase{-1e15, "-1E+15"},
                      TextCase{1.5e-7, "1.5E-07"}, TextCase{123456789012345, "123456789012345"},
                      TextCase{999999999999999.9, "1E+15"}, TextCase{1234567890123456, "1.23456789012346E+15"},
                      TextCase{0.00001, "0.00001"}, TextCase{0.0000099, "9.9E-06"}, TextCase{1e100, "1E+100"},
                      TextCase{1e-100, "1E-100"}, TextCase{0.4425, "0.4425"}, TextCase{0.005, "0.005"},
                      TextCase{12.3, "12.3"}, TextCase{-1, "-1"}, TextCase{32768, "32768"},
                      TextCase{1.7976931348623157e308, "1.79769313486232E+308"}));

TEST(NumberText, RoundTripsThroughVal) {
    for (const char* text : {"0.5", "888", "0.4425", "-2.25", "1E+15", "1.5E-07", "123456789012345", "0.00001"}) {
        EXPECT_EQ(NumberText(Val(text)), text);
    }
    EXPECT_TRUE(ThrowsOverflow([] { NumberText(std::numeric_limits<double>::infinity()); }));
    EXPECT_TRUE(ThrowsOverflow([] { NumberText(std::numeric_limits<double>::quiet_NaN()); }));
}

// ---- CentsText / CentsValue ------------------------------------------------------

class CentsTextTest : public ::testing::TestWithParam<TextCase> {};
TEST_P(CentsTextTest, RoundsHalvesAwayFromZeroOn15Digits) {
    EXPECT_EQ(CentsText(GetParam().value), GetParam().expected) << GetParam().value;
}
INSTANTIATE_TEST_SUITE_P(
    Values, CentsTextTest,
    ::testing::Values(TextCase{0, "0.00"}, TextCase{-0.0, "0.00"}, TextCase{500, "500.00"}, TextCase{0.5, "0.50"},
                      TextCase{2.345, "2.35"}, TextCase{-2.345, "-2.35"}, TextCase{1.005, "1.01"},
                      TextCase{-1.005, "-1.01"}, TextCase{2.675, "2.68"}, TextCase{8606.6432, "8606.64"},
                      TextCase{0.005, "0.01"}, TextCase{-0.005, "-0.01"}, TextCase{0.0049999, "0.00"},
                      TextCase{-0.001, "0.00"}, TextCase{0.001, "0.00"}, TextCase{0.995, "1.00"},
                      TextCase{9.995, "10.00"}, TextCase{99.995, "100.00"}, TextCase{-99.995, "-100.00"},
                      TextCase{1e-300, "0.00"}, TextCase{123.456, "123.46"}, TextCase{8333.333333333334, "8333.33"},
                      TextCase{1e20, "100000000000000000000.00"}, TextCase{-1e20, "-100000000000000000000.00"},
                      TextCase{1.2345678901234567e25, "12345678901234600000000000.00"},
                      TextCase{99999999999.995, "100000000000.00"}, TextCase{1234567890123.454, "1234567890123.45"},
                      TextCase{0.045, "0.05"}, TextCase{1354.3999999999999, "1354.40"}));

// The cents of a number below 1e12, rounded from its 15-digit form by
// integer arithmetic on printf's digits.
std::string ReferenceCents(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));  // d.dddddddddddddde+XX
    std::string digits(buffer, 1);
    digits.append(buffer + 2, 14);
    const int exponent = std::atoi(buffer + 17);
    std::uint64_t cents = std::stoull(digits);
    if (exponent >= 12) return {};  // not used beyond 1e12
    if (12 - exponent > 16) {
        cents = 0;
    } else {
        std::uint64_t divisor = 1;
        for (int i = 0; i < 12 - exponent; ++i) divisor *= 10;
        cents = cents / divisor + ((cents % divisor) * 2 >= divisor ? 1 : 0);
    }
    std::string text = std::to_string(cents);
    if (text.size() < 3) text.insert(0, 3 - text.size(), '0');
    text.insert(text.size() - 2, ".");
    return (value < 0 && cents != 0) ? "-" + text : text;
}

TEST(CentsText, AgreesWithTheRoundedFifteenDigitFormEverywhere) {
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> unit(0, 1);
    int checked = 0;
    for (int i = 0; i < 400000; ++i) {
        double value = 0;
        switch (i % 4) {
        case 0:  // anywhere from 1e-4 to 1e12
            value = std::pow(10.0, -4 + 16 * unit(random));
            break;
        case 1:  // close to a half cent, either side
            value = (std::floor(unit(random) * 1e10) + 0.5 + (unit(random) - 0.5) * 1e-6) / 100;
            break;
        case 2:  // a half cent as typed
            value = (std::floor(std::pow(10.0, 11 * unit(random))) + 0.5) / 100;
            break;
        default:  // sums and differences of cents, as the totals make them
            value = std::floor(unit(random) * 1e9) / 100 + std::floor(unit(random) * 1e5) / 100 - 0.005;
            break;
        }
        if (i % 3 == 0) value = -value;
        ASSERT_EQ(CentsText(value), ReferenceCents(value)) << std::setprecision(17) << value;
        ++checked;
    }
    EXPECT_EQ(checked, 400000);
}

TEST(CentsText, NonFiniteOverflows) {
    EXPECT_TRUE(ThrowsOverflow([] { CentsText(std::numeric_limits<double>::infinity()); }));
    EXPECT_TRUE(ThrowsOverflow([] { CentsText(-std::numeric_limits<double>::infinity()); }));
    EXPECT_TRUE(ThrowsOverflow([] { CentsText(std::numeric_limits<double>::quiet_NaN()); }));
}

TEST(CentsValue, ReadsBackWhatCentsTextWrote) {
    EXPECT_EQ(CentsValue("8606.64"), 8606.64);
    EXPECT_EQ(CentsValue("-2.35"), -2.35);
    EXPECT_EQ(CentsValue("0.00"), 0);
    EXPECT_EQ(CentsValue("100000000000000000000.00"), 1e20);
    EXPECT_EQ(CentsValue("+1.50"), 1.5);
    EXPECT_EQ(CentsValue(" 1 .50"), 1.5);
    EXPECT_EQ(CentsValue(""), 0);
    // The text of any cents value denotes that value again.
    for (double v : {0.01, 1.005, 2.345, 8606.6432, 103279.68, 1e15 + 0.25, 123456789.125, -7.777, 1e300}) {
        const std::string text = CentsText(v);
        EXPECT_EQ(CentsText(CentsValue(text)), text) << text;
    }
    // Near the top of the range the 15-digit form lies beyond it.
    EXPECT_TRUE(ThrowsOverflow([] { CentsValue(CentsText(1.7976931348623157e308)); }));
}

TEST(CentsText, IsUnaffectedByTheUserLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!UseCommaLocale()) GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(CentsText(1234.5), "1234.50");
    EXPECT_EQ(NumberText(0.5), "0.5");
    EXPECT_EQ(CentsValue("1234.50"), 1234.5);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace lumaro
