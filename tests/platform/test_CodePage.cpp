// UTF-8 <-> code page 936 (GBK), the encoding of the settings file.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace lumaro::platform {
namespace {

using namespace std::string_literals;

const std::string Replacement = "\uFFFD";

struct Pair {
    const char* utf8;
    std::string gbk;
};

class BothWays : public ::testing::TestWithParam<Pair> {};

TEST_P(BothWays, ConvertsExactly) {
    const auto& p = GetParam();
    EXPECT_EQ(ToAnsi(p.utf8), p.gbk);
    EXPECT_EQ(FromAnsi(p.gbk), p.utf8);
    EXPECT_EQ(ToAnsiExact(p.utf8), std::optional<std::string>(p.gbk));
}

INSTANTIATE_TEST_SUITE_P(Texts, BothWays,
                         ::testing::Values(Pair{"", ""}, Pair{"ServerINFO=1\r\n", "ServerINFO=1\r\n"},
                                           Pair{"按揭咨询", "\xB0\xB4\xBD\xD2\xD7\xC9\xD1\xAF"},
                                           Pair{"贷款利率", "\xB4\xFB\xBF\xEE\xC0\xFB\xC2\xCA"},
                                           Pair{"等额法/递减法", "\xB5\xC8\xB6\xEE\xB7\xA8/\xB5\xDD\xBC\xF5\xB7\xA8"},
                                           Pair{"€", "\x80"}, Pair{"丄乤", "\x81\x41\x81\x61"},
                                           Pair{"（１）", "\xA3\xA8\xA3\xB1\xA3\xA9"}));

TEST(ToAnsi, ZeroCharactersPassThrough) {
    EXPECT_EQ(ToAnsi("a\0b"s), "a\0b"s);
    EXPECT_EQ(FromAnsi("a\0b"s), "a\0b"s);
}

struct Lossy {
    const char* name;
    std::string utf8;
    std::string gbk;
};

void PrintTo(const Lossy& c, std::ostream* os) { *os << c.name; }

class NotRepresentable : public ::testing::TestWithParam<Lossy> {};

TEST_P(NotRepresentable, BecomesQuestionMarksAndIsNotExact) {
    const auto& c = GetParam();
    EXPECT_EQ(ToAnsi(c.utf8), c.gbk);
    EXPECT_EQ(ToAnsiExact(c.utf8), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NotRepresentable,
    ::testing::Values(Lossy{"emoji", "a\xF0\x9F\x98\x80z", "a?z"},
                      Lossy{"thai", "\xE0\xB8\x81", "?"},
                      Lossy{"invalid_byte", "a\xFFz", "a?z"},
                      Lossy{"lone_continuation", "\x80", "?"},
                      Lossy{"overlong_slash", "\xC0\xAF", "??"},
                      Lossy{"surrogate", "\xED\xA0\x80", "???"},
                      Lossy{"beyond_unicode", "\xF4\x90\x80\x80", "????"},
                      Lossy{"truncated_at_end", "按\xE6\x8C", "\xB0\xB4??"},
                      Lossy{"truncated_before_ascii", "\xE6\x8Cx", "??x"},
                      Lossy{"invalid_among_chinese", "按\xFF揭", "\xB0\xB4?\xBD\xD2"}),
    [](const ::testing::TestParamInfo<Lossy>& info) { return std::string(info.param.name); });

struct Undecodable {
    const char* name;
    std::string gbk;
    std::string utf8;
};

void PrintTo(const Undecodable& c, std::ostream* os) { *os << c.name; }

class NotDecodable : public ::testing::TestWithParam<Undecodable> {};

TEST_P(NotDecodable, BecomesReplacementCharacters) { EXPECT_EQ(FromAnsi(GetParam().gbk), GetParam().utf8); }

INSTANTIATE_TEST_SUITE_P(
    Bytes, NotDecodable,
    ::testing::Values(Undecodable{"ff", "a\xFFz", "a" + Replacement + "z"},
                      Undecodable{"lead_at_end", "\xB0\xB4\xB0", "按" + Replacement},
                      Undecodable{"lead_before_line_end", "\x81\r\n", Replacement + "\r\n"},
                      Undecodable{"lead_before_digit", "\x81\x30", Replacement + "0"},
                      Undecodable{"lead_before_7f", "\x81\x7F", Replacement + "\x7F"},
                      Undecodable{"unassigned_pair_is_one_character", "\xA2\xA0x", Replacement + "x"},
                      Undecodable{"many", "\xFF\xFF\xFF", Replacement + Replacement + Replacement}),
    [](const ::testing::TestParamInfo<Undecodable>& info) { return std::string(info.param.name); });

// Every double-byte code the code page decodes comes back to the same bytes.
TEST(CodePage, EveryDecodableDoubleByteCharacterRoundTrips) {
    int decodable = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string utf8 = FromAnsi(gbk);
            if (utf8 == Replacement) continue;
            ++decodable;
            ASSERT_EQ(ToAnsi(utf8), gbk) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_GT(decodable, 21000) << "GBK has close to 22,000 double-byte characters";
}

}  // namespace
}  // namespace lumaro::platform
