// How the stored server values are taken as numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "config/ServerSettings.h"

namespace lumaro {
namespace {

using Texts = std::pair<std::string, std::string>;

TEST(StoredValuesTest, IdentifierIsItsLeadingNumberWrittenInDecimal) {
    const Texts cases[] = {{"000888", "888"}, {"888", "888"},     {"", "0"},   {"abc", "0"},
                           {"12a", "12"},     {" 1 2 3", "123"}, {"-7", "-7"}, {"1.50", "1.5"}};
    for (const auto& [stored, id] : cases) EXPECT_EQ(NormalizeServerId(stored), id) << stored;
}

// Any text that reads as non-zero switches the lookup on, even beyond 16 bits.
TEST(StoredValuesTest, FlagIsRoundedHalfToEvenAndSaturates) {
    const std::pair<std::string, int16_t> cases[] = {
        {"1", 1},   {"0", 0},   {"", 0},    {"yes", 0}, {"2", 2},         {"-1", -1},          {"0.4", 0},
        {"0.6", 1}, {"0.5", 0}, {"1.5", 2}, {"2.5", 2}, {"70000", 32767}, {"-70000", -32768}, {"1e999", 32767}};
    for (const auto& [stored, flag] : cases) EXPECT_EQ(DynasetValue(stored), flag) << stored;
}

}  // namespace
}  // namespace lumaro
