// The shared routines: folder paths in one normal form, and GetTextBetween.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/mdlINI.h"
#include "platform/Platform.h"

namespace lumaro {
namespace {

// Each row: input, separator, normal form. Windows-style inputs too: there "/" becomes "\".
TEST(NormalizeFolder, GivesOneSeparatorAndATrailingOne) {
    const struct { const char* input; char separator; const char* expected; } rows[] = {
        {R"(D:\Agency)", '\\', R"(D:\Agency\)"},
        {"D:/Agency/bin", '\\', R"(D:\Agency\bin\)"},
        {R"(D:\)", '\\', R"(D:\)"},
        {R"(C:\Program Files\房产中介)", '\\', R"(C:\Program Files\房产中介\)"},
        {"", '\\', "\\"},
        {"/opt/lumaro", '/', "/opt/lumaro/"},
        {"/", '/', "/"},
        {"", '/', "/"},
        {R"(/opt/a\b)", '/', R"(/opt/a\b/)"},  // "\" is an ordinary character on POSIX
        {R"(/opt/a\)", '/', R"(/opt/a\/)"},
    };
    for (const auto& r : rows) EXPECT_EQ(NormalizeFolder(r.input, r.separator), r.expected) << r.input;
}

// The program folder and base name follow the executable's path; the real one holds the program.
TEST(GetAppFolder, FollowsTheExecutable) {
    const std::string folder = GetAppFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), platform::Separator);
#ifdef _WIN32
    EXPECT_TRUE(platform::FileExists(folder + GetExecutableBaseName() + ".exe"));
    const struct { const char* exe; const char* folder; const char* base; } rows[] = {
        {R"(D:\Agency\Lumaro.exe)", R"(D:\Agency\)", "Lumaro"},
        {"D:/Agency/bin/Foo.exe", R"(D:\Agency\bin\)", "Foo"},
        {R"(D:\Lumaro.exe)", R"(D:\)", "Lumaro"},
        {R"(D:\房产 中介\my.app.exe)", R"(D:\房产 中介\)", "my.app"},
    };
#else
    EXPECT_EQ(folder.front(), '/');
    EXPECT_TRUE(platform::FileExists(folder + GetExecutableBaseName()));
    const struct { const char* exe; const char* folder; const char* base; } rows[] = {
        {"/opt/lumaro/Lumaro", "/opt/lumaro/", "Lumaro"},
        {"/opt/房产 中介/Foo.exe", "/opt/房产 中介/", "Foo"},
        {"/Lumaro", "/", "Lumaro"},
        {"/opt/my.app.bin", "/opt/", "my.app"},
        {"/opt/.hidden", "/opt/", ".hidden"},
        {R"(/opt/a\b/Lumaro)", R"(/opt/a\b/)", "Lumaro"},
    };
#endif
    for (const auto& r : rows) {
        platform::OverrideExecutablePath(std::string(r.exe));
        EXPECT_EQ(GetAppFolder(), r.folder) << r.exe;
        EXPECT_EQ(GetExecutableBaseName(), r.base) << r.exe;
    }
    platform::OverrideExecutablePath(std::nullopt);
    EXPECT_EQ(GetAppFolder(), folder);
}

// Each row: text, start marker, end marker, the text between.
TEST(GetTextBetween, CutsTheTextBetweenTheMarkers) {
    const struct { const char* text; const char* start; const char* end; const char* expected; } rows[] = {
        {"<body>当前地址：<IP>http://10.0.0.7:8080</IP>\r\n</body>", "<IP>", "</IP>", "http://10.0.0.7:8080"},
        {"<ip>192.168.1.5</ip>", "<IP>", "</IP>", "192.168.1.5"},  // letter case ignored
        {"<IP>1.1.1.1</IP><IP>2.2.2.2</IP>", "<IP>", "</IP>", "1.1.1.1"},  // first start marker counts
        {"<IP>a</IP>b</IP>", "<IP>", "</IP>", "a"},                        // first end marker after it
        {"<IP>a<IP>b</IP>", "<IP>", "</IP>", "a<IP>b"},
        {"192.168.1.5</IP>", "<IP>", "</IP>", ""},  // no start marker
        {"<IP>192.168.1.5", "<IP>", "</IP>", ""},   // no end marker
        {"</IP>192.168.1.5<IP>", "<IP>", "</IP>", ""},  // end marker only before the start
        {"<IP> 10.0.0.1 \n</IP>", "<IP>", "</IP>", " 10.0.0.1 \n"},  // nothing trimmed
        {"<IP>x</IP>", "<IP>", "IP>", ""},  // the end marker inside the start marker is found first
        {"[[a]]", "[[", "[", ""},
        {"|abc|def|", "|", "|", "abc"},
        {"前【甲乙】后", "【", "】", "甲乙"},
        {"<I", "<IP>", "</IP>", ""},  // marker longer than the text
        {"ab</IP>", "", "</IP>", "ab"},
        {"<IP>ab", "<IP>", "", ""},
    };
    for (const auto& r : rows) EXPECT_EQ(GetTextBetween(r.text, r.start, r.end), r.expected) << r.text;
}

}  // namespace
}  // namespace lumaro
