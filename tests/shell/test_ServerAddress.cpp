// The pieces of the server connection that need no window.
#include <gtest/gtest.h>

#include <string>

#include "core/Table.h"
#include "shell/ServerAddress.h"

namespace lumaro {
namespace {

// Nothing escaped, no separator added or removed.
TEST(ComposeTest, PiecesJoinedExactlyAsStored) {
    EXPECT_EQ(ComposeLookupUrl("http://lookup.example/register/ReadIP.asp", "888"),
              "http://lookup.example/register/ReadIP.asp?ServerID=888");
    EXPECT_EQ(ComposeLookupUrl("http://x/a?b=1", "0 8&8"), "http://x/a?b=1?ServerID=0 8&8");
    EXPECT_EQ(ComposeWebUrl("http://10.0.0.5", "/House/", "House"), "http://10.0.0.5/House/?DatabaseName=House");
    EXPECT_EQ(ComposeWebUrl("http://10.0.0.5/", "/House/", "House"), "http://10.0.0.5//House/?DatabaseName=House");
    EXPECT_EQ(ComposeWebUrl("", "", ""), "?DatabaseName=");
}

TEST(AddressBarTest, SchemeAddedOnlyWhereMissing) {
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/address_bar.txt"))
        EXPECT_EQ(AddressBarUrl(row.at(0)), row.at(1)) << row.at(0);
}

// Only what opens as a web page may come from a lookup reply, which travels over plain HTTP.
TEST(LookedUpAddressTest, OnlyAddressesThatOpenAsWebPagesAreAccepted) {
    for (const char* good : {"http://127.0.0.1:8080", "HTTPS://agency.example", "192.168.1.5", "agency.example:8080",
                             "[::1]:8080", "\xe6\x88\xbf\xe4\xba\xa7.example", "http://\xe6\x88\xbf\xe4\xba\xa7.example"})
        EXPECT_TRUE(IsAcceptableLookedUpAddress(good)) << good;
    for (const char* bad : {"", "http://", "javascript:alert(1)//", "JavaScript:alert(1)", "file:///etc/passwd",
                            "data:text/html,<b>x</b>", "ftp://files.example", " javascript:alert(1)",
                            "\njavascript:alert(1)", "java\tscript:alert(1)", "/House/"})
        EXPECT_FALSE(IsAcceptableLookedUpAddress(bad)) << bad;
}

TEST(LocalPagesTest, FailurePageNamesUrlAndReasonEscapedAndOffersRetry) {
    EXPECT_EQ(HtmlEscape("<a href=\"x\">'&'</a> 服务器"), "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt; 服务器");
    const std::string page =
        LookupFailurePage("http://x/ReadIP.asp?ServerID=<script>alert(1)</script>", "应答中没有 <IP> 标记");
    for (const char* part : {"无法获取服务器地址", "http://x/ReadIP.asp?ServerID=&lt;script&gt;alert(1)&lt;/script&gt;",
                             "应答中没有 &lt;IP&gt; 标记", "id=\"connect\" href=\"lumaro:mConnect\">连接</a>"})
        EXPECT_NE(page.find(part), std::string::npos) << part;
    EXPECT_EQ(page.find("<script>"), std::string::npos);
}

}  // namespace
}  // namespace lumaro
