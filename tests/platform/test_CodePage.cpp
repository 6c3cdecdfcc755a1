// UTF-8 <-> code page 936 (GBK), the encoding of the settings file.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/Table.h"
#include "platform/Platform.h"

namespace lumaro::platform {
namespace {

const std::string R = "\uFFFD";  // what an undecodable GBK byte becomes

TEST(CodePage, ConvertsEachWayAsRequired) {
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/code_page.txt")) {
        const std::string &way = row.at(0), &utf8 = row.at(1), &gbk = row.at(2);
        SCOPED_TRACE(::testing::PrintToString(utf8));
        if (way != "undecodable") {
            EXPECT_EQ(ToAnsi(utf8), gbk);
            EXPECT_EQ(ToAnsiExact(utf8), way == "both" ? std::optional(gbk) : std::nullopt);
        }
        if (way != "lossy") {
            EXPECT_EQ(FromAnsi(gbk), utf8);
        }
    }
}

// Every double-byte code the code page decodes comes back to the same bytes.
TEST(CodePage, EveryDecodableDoubleByteCharacterRoundTrips) {
    int decodable = 0;
    for (int code = 0x8140; code <= 0xFEFE; ++code) {
        const int trail = code & 0xFF;
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) continue;
        const std::string gbk{static_cast<char>(code >> 8), static_cast<char>(trail)};
        const std::string utf8 = FromAnsi(gbk);
        if (utf8 == R) continue;
        ++decodable;
        ASSERT_EQ(ToAnsi(utf8), gbk) << std::hex << code;
    }
    EXPECT_GT(decodable, 21000) << "GBK has close to 22,000 double-byte characters";
}

}  // namespace
}  // namespace lumaro::platform
