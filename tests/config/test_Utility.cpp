#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/mdlINI.h"
#include "platform/Platform.h"

namespace lumaro {
namespace {

struct FolderCase {
    const char* input;
    char separator;
    const char* expected;
};

class NormalizeFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(NormalizeFolderTest, GivesOneSeparatorAndATrailingOne) {
    const auto& c = GetParam();
    EXPECT_EQ(NormalizeFolder(c.input, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsAndPosix, NormalizeFolderTest,
    ::testing::Values(
        // Windows form: "/" becomes "\", exactly one trailing "\".
        FolderCase{R"(D:\Agency)", '\\', R"(D:\Agency\)"},
        FolderCase{"D:/Agency/bin", '\\', R"(D:\Agency\bin\)"},
        FolderCase{"D:/Agency/bin/", '\\', R"(D:\Agency\bin\)"},
        FolderCase{R"(D:\)", '\\', R"(D:\)"},
        FolderCase{"D:/", '\\', R"(D:\)"},
        FolderCase{R"(C:\Program Files\房产中介)", '\\', R"(C:\Program Files\房产中介\)"},
        FolderCase{"", '\\', "\\"},
        // POSIX form: "\" is an ordinary character there.
        FolderCase{"/opt/lumaro", '/', "/opt/lumaro/"},
        FolderCase{"/opt/lumaro/", '/', "/opt/lumaro/"},
        FolderCase{"/", '/', "/"},
        FolderCase{"", '/', "/"},
        FolderCase{R"(/opt/a\b)", '/', R"(/opt/a\b/)"},
        FolderCase{R"(/opt/a\)", '/', R"(/opt/a\/)"}));

// The program folder and base name follow the executable's path.
class ExecutablePathTest : public ::testing::Test {
protected:
    void TearDown() override { platform::OverrideExecutablePath(std::nullopt); }
};

TEST_F(ExecutablePathTest, AppFolderAndBaseNameFollowTheExecutable) {
    struct Case {
        const char* exe;
        const char* folder;
        const char* base;
    };
    const Case cases[] = {
        {"/opt/lumaro/Lumaro", "/opt/lumaro/", "Lumaro"},
        {"/opt/lumaro/Foo.exe", "/opt/lumaro/", "Foo"},
        {"/opt/房产 中介/Lumaro", "/opt/房产 中介/", "Lumaro"},
        {"/Lumaro", "/", "Lumaro"},
        {"/opt/my.app.bin", "/opt/", "my.app"},
        {"/opt/.hidden", "/opt/", ".hidden"},
        {R"(/opt/a\b/Lumaro)", R"(/opt/a\b/)", "Lumaro"},
    };
    for (const auto& c : cases) {
        platform::OverrideExecutablePath(std::string(c.exe));
        EXPECT_EQ(GetAppFolder(), c.folder) << c.exe;
        EXPECT_EQ(GetExecutableBaseName(), c.base) << c.exe;
    }
}

TEST_F(ExecutablePathTest, RealExecutableFolderEndsInSeparatorAndHoldsTheProgram) {
    const std::string folder = GetAppFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(platform::FileExists(folder + GetExecutableBaseName()));
}

TEST(SystemFolder, IsUsrBinWithTrailingSeparator) { EXPECT_EQ(GetSystemFolder(), "/usr/bin/"); }

struct BetweenCase {
    const char* name;
    std::string text;
    std::string start;
    std::string end;
    std::string expected;
};

void PrintTo(const BetweenCase& c, std::ostream* os) { *os << c.name; }

class GetTextBetweenTest : public ::testing::TestWithParam<BetweenCase> {};

TEST_P(GetTextBetweenTest, CutsTheTextBetweenTheMarkers) {
    const auto& c = GetParam();
    const std::string text = c.text, start = c.start, end = c.end;
    EXPECT_EQ(GetTextBetween(text, start, end), c.expected);
    // The arguments are left unchanged.
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(start, c.start);
    EXPECT_EQ(end, c.end);
}

INSTANTIATE_TEST_SUITE_P(
    Markers, GetTextBetweenTest,
    ::testing::Values(
        BetweenCase{"plain", "<IP>192.168.1.5</IP>", "<IP>", "</IP>", "192.168.1.5"},
        BetweenCase{"html_around", "<html><body>当前地址：<IP>http://10.0.0.7:8080</IP>\r\n</body></html>", "<IP>",
                    "</IP>", "http://10.0.0.7:8080"},
        BetweenCase{"lower_case_in_text", "<ip>192.168.1.5</ip>", "<IP>", "</IP>", "192.168.1.5"},
        BetweenCase{"mixed_case_markers", "<Ip>a</iP>", "<iP>", "</Ip>", "a"},
        BetweenCase{"first_start_marker_counts", "<IP>1.1.1.1</IP><IP>2.2.2.2</IP>", "<IP>", "</IP>", "1.1.1.1"},
        BetweenCase{"first_end_marker_after_start", "<IP>a</IP>b</IP>", "<IP>", "</IP>", "a"},
        BetweenCase{"nested_start_kept", "<IP>a<IP>b</IP>", "<IP>", "</IP>", "a<IP>b"},
        BetweenCase{"no_start_marker", "192.168.1.5</IP>", "<IP>", "</IP>", ""},
        BetweenCase{"no_end_marker", "<IP>192.168.1.5", "<IP>", "</IP>", ""},
        BetweenCase{"empty_text", "", "<IP>", "</IP>", ""},
        BetweenCase{"end_only_before_start", "</IP>192.168.1.5<IP>", "<IP>", "</IP>", ""},
        BetweenCase{"end_before_and_after_start", "</IP>x<IP>y</IP>", "<IP>", "</IP>", "y"},
        BetweenCase{"adjacent_markers", "<IP></IP>", "<IP>", "</IP>", ""},
        BetweenCase{"blanks_not_trimmed", "<IP> 10.0.0.1 \n</IP>", "<IP>", "</IP>", " 10.0.0.1 \n"},
        BetweenCase{"end_overlapping_start", "<IP>x", "<IP>", "IP>", ""},
        BetweenCase{"end_inside_start_then_later", "[[a]]", "[[", "[", ""},
        BetweenCase{"same_marker_both_ends", "|abc|def|", "|", "|", "abc"},
        BetweenCase{"utf8_inside", "<IP>服务器甲</IP>", "<IP>", "</IP>", "服务器甲"},
        BetweenCase{"utf8_around", "地址<IP>1.2.3.4</IP>结束", "<IP>", "</IP>", "1.2.3.4"},
        BetweenCase{"utf8_markers", "前【甲乙】后", "【", "】", "甲乙"},
        BetweenCase{"non_ascii_not_case_folded", "<IP>É</IP>", "<IP>", "</IP>", "É"},
        BetweenCase{"marker_longer_than_text", "<I", "<IP>", "</IP>", ""},
        BetweenCase{"empty_start_marker_no_crash", "ab</IP>", "", "</IP>", "ab"},
        BetweenCase{"empty_end_marker_no_crash", "<IP>ab", "<IP>", "", ""}),
    [](const ::testing::TestParamInfo<BetweenCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumaro
