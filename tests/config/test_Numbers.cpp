// The number routines every window and the CLI share: one table per routine.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>

#include "config/Failure.h"
#include "config/Numbers.h"
#include "core/TempDir.h"

using namespace lumaro;

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr long long Ovf = std::numeric_limits<long long>::min();  // marks an expected overflow

// The call's result, or `overflow` when it fails with error 6 (any other fault fails the test).
template <class T> static T Or(auto&& call, T overflow) {
    try {
        const T result = call();
        EXPECT_NE(result, overflow) << "the marker came back without a fault";
        return result;
    } catch (const Fault& fault) {
        EXPECT_EQ(fault.failure().Number, 6);
        return overflow;
    }
}

TEST(Val, ReadsTheLeadingNumber) {
    const struct { std::string text; double expected; } cases[] = {  // expected Inf: overflow
        // no leading number; the number and what follows it; blanks, tabs, CR and LF anywhere
        {"", 0}, {"abc", 0}, {"-", 0}, {".", 0}, {"e5", 0}, {"+-3", 0}, {"   ", 0}, {"\xE4\xB8\x80" /* 一 */, 0},
        {"$5", 0}, {"12,000", 12}, {"0.5%", 0.5}, {"000888", 888}, {"+3", 3}, {"-2.25", -2.25}, {".5", 0.5}, {"5.", 5},
        {"1.2.3", 1.2}, {"7\xE5\xB9\xB4" /* 7年 */, 7}, {" 1 2 ", 12}, {"\t-\t1 . 5", -1.5}, {"1\r\n2", 12},
        {" 1 e 2", 100}, {"1 2 3 4 5 6 7 8 9", 123456789},
        // exponents E or D, one needing a digit; correctly rounded however many digits
        {"1e2", 100}, {"1.5D2", 150}, {"1d-2", 0.01}, {"2E+3", 2000}, {"1e", 1}, {"1e-", 1}, {"1ex", 1}, {"1e2.5", 100},
        {"1e0000000000000000000002", 100}, {"1e-400", 0}, {"1e-99999999999999999999", 0}, {"0e999999999999", 0},
        {"4.9e-324", 4.9e-324}, {"1.7976931348623157e308", 1.7976931348623157e308},
        {"9007199254740993", 9007199254740992.0}, {"0.30000000000000004", 0.30000000000000004},
        {"2.2250738585072011e-308", 2.2250738585072011e-308}, {std::string(5000, '0') + "1.5", 1.5},
        {"0." + std::string(400, '0') + "1e405", 10000},
        // &H, &O: 16-bit if the value fits, else 32-bit, leading zeros ignored; then overflows; huge texts don't hang
        {"&H10", 16}, {"&h10", 16}, {"&O17", 15}, {"&HFFFF", -1}, {"&H8000", -32768}, {"&H7FFF", 32767},
        {"&H10000", 65536}, {"&HFFFFFFFF", -1}, {"&H7FFFFFFF", 2147483647}, {"&H80000000", -2147483648.0},
        {"&O177777", -1}, {"&H" + std::string(100, '0') + "1", 1}, {"&Hff.5", 255}, {"&O18", 1}, {"& H 1 0", 16},
        {"&H", 0}, {"&HG", 0}, {"&", 0}, {"&X10", 0}, {"-&H10", 0}, {"1e309", Inf}, {"-1e309", Inf}, {"1.8e308", Inf},
        {"1e99999999999999999999", Inf}, {"&H100000000", Inf}, {"&O40000000000", Inf}, {std::string(400, '9'), Inf},
        {std::string(1'000'000, '1'), Inf}, {std::string(5'000'000, ' ') + "42", 42},
        {"7" + std::string(5'000'000, '.'), 7}};
    for (const auto& c : cases) EXPECT_EQ(Or([&] { return Val(c.text); }, Inf), c.expected) << c.text.substr(0, 40);
}

TEST(CIntCLng, RoundHalvesToEvenWithinTheirRange) {
    const struct { double value; long long cint, clng; } cases[] = {
        {0, 0, 0}, {0.5, 0, 0}, {1.5, 2, 2}, {2.5, 2, 2}, {12.3, 12, 12}, {12.5, 12, 12}, {13.5, 14, 14}, {-0.5, 0, 0},
        {-1.5, -2, -2}, {-2.5, -2, -2}, {-3.5, -4, -4}, {0.49999999999999994, 0, 0}, {1.4999999999999998, 1, 1},
        {2.5000000000000004, 3, 3}, {32767.4, 32767, 32767}, {32767.5, Ovf, 32768}, {-32768.5, -32768, -32768},
        {-32768.50001, Ovf, -32769}, {65535, Ovf, 65535}, {2147483646.5, Ovf, 2147483646}, {2147483647.5, Ovf, Ovf},
        {-2147483648.5, Ovf, -2147483648LL}, {-2147483649.0, Ovf, Ovf}, {1e300, Ovf, Ovf}, {Inf, Ovf, Ovf},
        {-Inf, Ovf, Ovf}, {NaN, Ovf, Ovf}};
    for (const auto& c : cases) {
        EXPECT_EQ(Or([&] { return static_cast<long long>(CInt(c.value)); }, Ovf), c.cint) << c.value;
        EXPECT_EQ(Or([&] { return static_cast<long long>(CLng(c.value)); }, Ovf), c.clng) << c.value;
    }
}

// NumberText: up to 15 significant digits. CentsText: "0.00", halves away from zero on the 15-digit form.
// Every text reads back to itself (below the top of the range); "overflow": the call fails.
TEST(NumberTextAndCentsText, ShowNumbers) {
    const auto check = [](auto show, auto read, std::initializer_list<std::pair<double, std::string>> cases) {
        for (const auto& [value, text] : cases) {
            EXPECT_EQ(Or([&] { return show(value); }, std::string("overflow")), text) << value;
            if (text != "overflow" && std::fabs(value) < 1e308) { EXPECT_EQ(show(read(text)), text); }
        }
    };
    check(NumberText, Val, {{0, "0"}, {-0.0, "0"}, {0.5, "0.5"}, {888, "888"}, {100000, "100000"}, {-2.25, "-2.25"},
        {12.3, "12.3"}, {0.4425, "0.4425"}, {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"},
        {0.1 + 0.2, "0.3"}, {1e15, "1E+15"}, {-1e15, "-1E+15"}, {1.5e-7, "1.5E-07"},
        {123456789012345, "123456789012345"}, {999999999999999.9, "1E+15"}, {1234567890123456, "1.23456789012346E+15"},
        {0.00001, "0.00001"}, {0.0000099, "9.9E-06"}, {1e100, "1E+100"}, {1e-100, "1E-100"}, {Inf, "overflow"},
        {NaN, "overflow"}, {1.7976931348623157e308, "1.79769313486232E+308"}});
    check(CentsText, CentsValue, {{0, "0.00"}, {-0.0, "0.00"}, {500, "500.00"}, {0.5, "0.50"}, {2.345, "2.35"},
        {-2.345, "-2.35"}, {1.005, "1.01"}, {-1.005, "-1.01"}, {2.675, "2.68"}, {8606.6432, "8606.64"}, {0.005, "0.01"},
        {-0.005, "-0.01"}, {0.0049999, "0.00"}, {-0.001, "0.00"}, {0.995, "1.00"}, {99.995, "100.00"},
        {-99.995, "-100.00"}, {1e-300, "0.00"}, {8333.333333333334, "8333.33"}, {0.045, "0.05"},
        {1354.3999999999999, "1354.40"}, {1e20, "100000000000000000000.00"}, {99999999999.995, "100000000000.00"},
        {1.2345678901234567e25, "12345678901234600000000000.00"}, {1234567890123.454, "1234567890123.45"},
        {Inf, "overflow"}, {-Inf, "overflow"}, {NaN, "overflow"}});
    EXPECT_EQ(Or([] { return CentsValue(CentsText(1.7976931348623157e308)); }, Inf), Inf);  // 15 digits: beyond
}

// A German desk writes 0,5: the routines must not follow the C library's locale.
TEST(Numbers, AreUnaffectedByADecimalCommaLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
#ifndef _WIN32
    // Compile the locale into a folder of our own when the system has none installed.
    test::TempDir dir;
    const std::string compile = "localedef -i de_DE -f UTF-8 '" + dir.file("de_DE.UTF-8") + "' >/dev/null 2>&1";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && std::system(compile.c_str()) == 0)
        ::setenv("LOCPATH", dir.path().c_str(), 1);
#endif
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "German_Germany.1252"))
        GTEST_SKIP() << "no decimal-comma locale here";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(Val("8606.6432"), 8606.6432);
    EXPECT_EQ(Val("0,5"), 0);
    EXPECT_EQ(CentsText(1234.5), "1234.50");
    EXPECT_EQ(NumberText(0.5), "0.5");
    std::setlocale(LC_ALL, saved.c_str());
#ifndef _WIN32
    ::unsetenv("LOCPATH");
#endif
}

