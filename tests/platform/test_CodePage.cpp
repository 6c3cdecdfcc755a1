// UTF-8 <-> code page 936 (GBK), the encoding of the settings file.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace lumaro::platform {
namespace {

using namespace std::string_literals;

const std::string R = "\uFFFD";  // what an undecodable GBK byte becomes

// Both: converts exactly both ways. Lossy: ToAnsi gives "?" per character GBK lacks
// (or per bad UTF-8 byte) and ToAnsiExact refuses. Undecodable: FromAnsi gives U+FFFD.
enum Way { Both, Lossy, Undecodable };

TEST(CodePage, ConvertsEachWayAsRequired) {
    const struct { Way way; std::string utf8, gbk; } rows[] = {
        {Both, "ServerINFO=1\0\r\n"s, "ServerINFO=1\0\r\n"s},
        {Both, "按揭咨询", "\xB0\xB4\xBD\xD2\xD7\xC9\xD1\xAF"},
        {Both, "€丄乤", "\x80\x81\x41\x81\x61"},  // 0x80 is a character of its own
        {Lossy, "a\xF0\x9F\x98\x80z", "a?z"},  // emoji
        {Lossy, "a\xFF\x80z", "a??z"},         // invalid byte, lone continuation byte
        {Lossy, "\xC0\xAF", "??"},             // overlong "/"
        {Lossy, "\xED\xA0\x80", "???"},         // surrogate
        {Lossy, "按\xE6\x8C", "\xB0\xB4??"},     // truncated at the end
        {Lossy, "\xE6\x8Cx", "??x"},            // truncated before ASCII
        {Undecodable, "a" + R + "z", "a\xFFz"},
        {Undecodable, "按" + R, "\xB0\xB4\xB0"},  // lead byte at the end
        {Undecodable, R + "\r\n", "\x81\r\n"},   // lead byte before a line end
        {Undecodable, R + "0", "\x81\x30"},      // ... before a digit
        {Undecodable, R + "\x7F", "\x81\x7F"},
        {Undecodable, R + "x", "\xA2\xA0x"},     // an unassigned pair is one character
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(::testing::PrintToString(r.utf8));
        if (r.way != Undecodable) {
            EXPECT_EQ(ToAnsi(r.utf8), r.gbk);
            EXPECT_EQ(ToAnsiExact(r.utf8), r.way == Both ? std::optional(r.gbk) : std::nullopt);
        }
        if (r.way != Lossy) { EXPECT_EQ(FromAnsi(r.gbk), r.utf8); }
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
