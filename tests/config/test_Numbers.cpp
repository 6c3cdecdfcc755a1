// The number routines every window and the CLI share: one table per routine.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "config/Failure.h"
#include "config/Numbers.h"
#include "core/Table.h"
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

// A number in a table, subnormal ones too; "overflow" is Inf, which marks an expected overflow.
double Number(const std::string& text) { return text == "overflow" ? Inf : std::strtod(text.c_str(), nullptr); }

TEST(Val, ReadsTheLeadingNumber) {
    std::vector<std::pair<std::string, double>> cases;
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/val.txt")) cases.emplace_back(row.at(0), Number(row.at(1)));
    // Texts too long for the table; huge texts don't hang.
    cases.insert(cases.end(), {{std::string(5000, '0') + "1.5", 1.5}, {"0." + std::string(400, '0') + "1e405", 10000},
                               {"&H" + std::string(100, '0') + "1", 1}, {std::string(400, '9'), Inf},
                               {std::string(1'000'000, '1'), Inf}, {std::string(5'000'000, ' ') + "42", 42},
                               {"7" + std::string(5'000'000, '.'), 7}});
    for (const auto& [text, expected] : cases) EXPECT_EQ(Or([&] { return Val(text); }, Inf), expected) << text.substr(0, 40);
}

TEST(CIntCLng, RoundHalvesToEvenWithinTheirRange) {
    const auto whole = [](const std::string& text) { return text == "overflow" ? Ovf : std::stoll(text); };
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/cint_clng.txt")) {
        const double value = std::stod(row.at(0));
        EXPECT_EQ(Or([&] { return static_cast<long long>(CInt(value)); }, Ovf), whole(row.at(1))) << value;
        EXPECT_EQ(Or([&] { return static_cast<long long>(CLng(value)); }, Ovf), whole(row.at(2))) << value;
    }
}

// Every text reads back to itself (below the top of the range).
TEST(NumberTextAndCentsText, ShowNumbers) {
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/number_text.txt")) {
        const bool cents = row.at(0) == "CentsText";
        const auto show = cents ? CentsText : NumberText;
        const auto read = cents ? CentsValue : Val;
        const double value = std::stod(row.at(1));
        const std::string& text = row.at(2);
        EXPECT_EQ(Or([&] { return show(value); }, std::string("overflow")), text) << row.at(0) << " " << value;
        if (text != "overflow" && std::fabs(value) < 1e308) {
            EXPECT_EQ(show(read(text)), text);
        }
    }
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

