#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "shell/ServerAddress.h"

namespace lumaro {
namespace {

struct TextCase {
    std::string input;
    std::string expected;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << '"' << c.input << "\" -> \"" << c.expected << '"'; }

class NormalizeServerIdTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NormalizeServerIdTest, LeadingNumberWrittenBackAsDecimal) {
    EXPECT_EQ(NormalizeServerId(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(StoredIdentifiers, NormalizeServerIdTest,
                         ::testing::Values(TextCase{"000888", "888"}, TextCase{"888", "888"}, TextCase{"", "0"},
                                           TextCase{"abc", "0"}, TextCase{"12a", "12"}, TextCase{" 1 2 3", "123"},
                                           TextCase{"-7", "-7"}, TextCase{"1.50", "1.5"}));

struct FlagCase {
    std::string stored;
    int16_t expected;
};
void PrintTo(const FlagCase& c, std::ostream* os) { *os << '"' << c.stored << "\" -> " << c.expected; }

class DynasetValueTest : public ::testing::TestWithParam<FlagCase> {};

TEST_P(DynasetValueTest, RoundsHalfToEvenAndSaturates) {
    EXPECT_EQ(DynasetValue(GetParam().stored), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    StoredFlags, DynasetValueTest,
    ::testing::Values(FlagCase{"1", 1}, FlagCase{"0", 0}, FlagCase{"", 0}, FlagCase{"yes", 0}, FlagCase{"2", 2},
                      FlagCase{"-1", -1}, FlagCase{"0.4", 0}, FlagCase{"0.6", 1}, FlagCase{"0.5", 0},
                      FlagCase{"1.5", 2}, FlagCase{"2.5", 2}, FlagCase{"70000", 32767}, FlagCase{"-70000", -32768},
                      FlagCase{"1e999", 32767}));

TEST(ComposeTest, PiecesJoinedExactlyAsStored) {
    EXPECT_EQ(ComposeLookupUrl("http://lookup.example/register/ReadIP.asp", "888"),
              "http://lookup.example/register/ReadIP.asp?ServerID=888");
    // Nothing escaped, no separator added or removed.
    EXPECT_EQ(ComposeLookupUrl("http://x/a?b=1", "0 8&8"), "http://x/a?b=1?ServerID=0 8&8");
    EXPECT_EQ(ComposeWebUrl("http://10.0.0.5", "/House/", "House"), "http://10.0.0.5/House/?DatabaseName=House");
    EXPECT_EQ(ComposeWebUrl("http://10.0.0.5/", "/House/", "House"), "http://10.0.0.5//House/?DatabaseName=House");
    EXPECT_EQ(ComposeWebUrl("", "", ""), "?DatabaseName=");
}

TEST(AddressBarTest, SchemeAddedOnlyWhereMissing) {
    const TextCase cases[] = {
        {"192.168.1.5/House/?DatabaseName=House", "http://192.168.1.5/House/?DatabaseName=House"},
        {"localhost:8080/House/", "http://localhost:8080/House/"},
        {"agency.example", "http://agency.example"},
        {"http://agency.example/", "http://agency.example/"},
        {"HTTPS://agency.example/", "HTTPS://agency.example/"},
        {"javascript:alert(1)", "javascript:alert(1)"},
        {"c:/house", "http://c:/house"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(AddressBarUrl(c.input), c.expected) << c.input;
}

TEST(LookedUpAddressTest, OnlyAddressesThatOpenAsWebPagesAreAccepted) {
    struct Case {
        std::string address;
        bool acceptable;
    };
    const Case cases[] = {
        {"http://127.0.0.1:8080", true},
        {"HTTPS://agency.example", true},
        {"192.168.1.5", true},
        {"agency.example:8080", true},
        {"[::1]:8080", true},
        {"", false},
        {"http://", false},
        {"javascript:alert(1)//", false},
        {"JavaScript:alert(1)", false},
        {"file:///etc/passwd", false},
        {"data:text/html,<b>x</b>", false},
        {"ftp://files.example", false},
        {" javascript:alert(1)", false},
        {"\njavascript:alert(1)", false},
        {"/House/", false},
        {"\xe4\xb8\xad.example", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsAcceptableLookedUpAddress(c.address), c.acceptable) << c.address;
}

TEST(HtmlEscapeTest, MarkupCharactersBecomeEntities) {
    EXPECT_EQ(HtmlEscape("<a href=\"x\">'&'</a>"), "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");
    EXPECT_EQ(HtmlEscape("服务器 888"), "服务器 888");
}

TEST(LocalPagesTest, FailurePageNamesUrlAndReasonEscapedAndOffersRetry) {
    const std::string page =
        LookupFailurePage("http://x/ReadIP.asp?ServerID=<script>alert(1)</script>", "应答中没有 <IP> 标记");
    EXPECT_NE(page.find("无法获取服务器地址"), std::string::npos);
    EXPECT_NE(page.find("http://x/ReadIP.asp?ServerID=&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(page.find("应答中没有 &lt;IP&gt; 标记"), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("id=\"connect\" href=\"lumaro:mConnect\">连接</a>"), std::string::npos);
}

}  // namespace
}  // namespace lumaro
