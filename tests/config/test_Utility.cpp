// The shared routines: folder paths in one normal form, and GetTextBetween.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/mdlINI.h"
#include "core/Table.h"
#include "platform/Platform.h"

namespace lumaro {
namespace {

TEST(NormalizeFolder, GivesOneSeparatorAndATrailingOne) {
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/normalize_folder.txt"))
        EXPECT_EQ(NormalizeFolder(row.at(0), row.at(1).at(0)), row.at(2)) << row.at(0);
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

TEST(GetTextBetween, CutsTheTextBetweenTheMarkers) {
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/text_between.txt"))
        EXPECT_EQ(GetTextBetween(row.at(0), row.at(1), row.at(2)), row.at(3)) << row.at(0);
}

}  // namespace
}  // namespace lumaro
