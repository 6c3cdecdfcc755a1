// The settings file's reading and writing rules, each against a real file
// whose bytes are written exactly.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/mdlINI.h"
#include "core/Table.h"
#include "core/TempDir.h"

namespace lumaro {
namespace {

using test::ReadBytes;
using test::Row;
using test::ReadTable;
using test::TempDir;
using test::WriteBytes;

// A text as Notepad saves it as "Unicode" (UTF-16 LE) and as "UTF-8", each with its byte-order mark. The UTF-8
// form may hold lone surrogates, which become lone UTF-16 units.
std::string Utf16(const std::string& utf8, const std::string& tail = "") {
    std::string bytes = "\xFF\xFE";
    for (std::size_t at = 0; at < utf8.size();) {
        const unsigned char lead = utf8[at];
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) c = c << 6 | (utf8[at + k] & 0x3F);
        at += length;
        const std::u16string units =
            c < 0x10000 ? std::u16string(1, char16_t(c)) : std::u16string{char16_t(0xD7C0 + (c >> 10)), char16_t(0xDC00 | (c & 0x3FF))};
        for (const char16_t unit : units) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    }
    return bytes + tail;
}
std::string Utf8(const std::string& text) { return "\xEF\xBB\xBF" + text; }

// A file's bytes in a table: as they stand, or after utf16: or utf8: the text in that form.
std::string Bytes(const std::string& field) {
    if (field.starts_with("utf16:")) return Utf16(field.substr(6));
    return field.starts_with("utf8:") ? Utf8(field.substr(5)) : field;
}

std::string Repeated(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

class SettingsFile : public ::testing::Test {
protected:
    TempDir dir;
    const std::string file = dir.file("ini/Lumaro.lic");
};

TEST_F(SettingsFile, ReadsAsTheProfileFunctionsDo) {
    struct Case {
        std::string name, bytes, section, key, expected;
    };
    std::vector<Case> cases;
    for (const Row& row : ReadTable(TEST_SOURCE_DIR "/tables/ini_reads.txt"))
        cases.push_back({row.at(0), Bytes(row.at(1)), row.at(2), row.at(3), row.at(4)});
    // At most 1023 bytes, whole characters only, counted without the quotes; a Unicode value is cut as the code
    // page would hold it, a character it lacks taking one byte. 按 is B0 B4 in GBK.
    const std::string digits = std::string(1000, '1') + std::string(100, '2');
    const std::string a1022(1022, 'a'), q1023(1023, 'q');
    cases.insert(cases.end(), {
        {"long_value_cut", "[S]\r\nk=" + digits + "\r\n", "S", "k", digits.substr(0, 1023)},
        {"exactly_1023_fit", "[S]\r\nk=" + digits.substr(0, 1023) + "\r\n", "S", "k", digits.substr(0, 1023)},
        {"straddling_character_left_out", "[S]\r\nk=" + a1022 + "\xB0\xB4\r\n", "S", "k", a1022},
        {"character_ending_at_1023_fits", "[S]\r\nk=" + a1022.substr(1) + "\xB0\xB4", "S", "k", a1022.substr(1) + "按"},
        {"limit_without_quotes", "[S]\r\nk=\"" + q1023 + "\"\r\n", "S", "k", q1023},
        {"utf16_odd_last_byte_ignored", Utf16("[S]\r\nk=v", "\x41"), "S", "k", "v"},
        {"utf16_long_value_cut", Utf16("[S]\r\nk=" + std::string(1100, '1')), "S", "k", std::string(1023, '1')},
        {"utf16_chinese_cut_at_whole_characters", Utf16("[S]\r\nk=" + Repeated("按", 600)), "S", "k", Repeated("按", 511)},
        {"utf8_characters_gbk_lacks_cut", Utf8("[S]\r\nk=a" + Repeated("한", 1100)), "S", "k", "a" + Repeated("한", 1022)},
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(file, c.bytes);
        EXPECT_EQ(ReadIniString(file, c.section, c.key), c.expected);
        EXPECT_EQ(ReadBytes(file), c.bytes) << "reading changed the file";
    }
}

TEST_F(SettingsFile, MissingFileAndFolderReadEmptyAndCreateNothing) {
    EXPECT_EQ(ReadIniString(file, "Regist", "DLL"), "");
    EXPECT_EQ(ReadIniString("", "Regist", "DLL"), "");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "ini"));
}

TEST_F(SettingsFile, WriteChangesOrAddsOnlyThatLine) {
    struct Case {
        std::string name;
        std::optional<std::string> before;
        std::string section, key, value, after;
    };
    std::vector<Case> cases;
    for (const Row& row : ReadTable(TEST_SOURCE_DIR "/tables/ini_writes.txt")) {
        const auto before = row.at(1) == "nofile" ? std::nullopt : std::optional(Bytes(row.at(1)));
        cases.push_back({row.at(0), before, row.at(2), row.at(3), row.at(4), Bytes(row.at(5))});
    }
    // A Unicode file's odd last byte stays last; its other lines stay unit for unit (lone surrogates: ED xx xx).
    const std::string units = std::string("\xED\xB0\x80") + '\0' + "\xEF\xBF\xBF\r\n[S]\r\nk=1\r\n\xED\xA0\xBD";
    cases.insert(cases.end(), {
        {"utf16_section_added_before_odd_last_byte", Utf16("[A]", "\x0D"), "S", "k", "v",
         Utf16("[A]\r\n[S]\r\nk=v\r\n", "\x0D")},
        {"utf16_other_lines_unit_for_unit", Utf16(units, "\x01"), "S", "k", "2",
         Utf16(std::string(units).replace(units.find("k=1"), 3, "k=2"), "\x01")},
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(file);
        if (c.before) WriteBytes(file, *c.before);
        ASSERT_EQ(WriteIniValue(file, c.section, c.key, c.value), IniWriteResult::Written);
        EXPECT_EQ(ReadBytes(file), c.after);
    }
}

// Texts that would inject lines or that the file cannot store: refused, saying why, the file
// byte-identical, and no missing file or folder created (a new file would be in code page 936).
// A Unicode file stores what the code page lacks.
TEST_F(SettingsFile, RefusedTextsLeaveTheFileIdentical) {
    const std::vector<Row> rows = ReadTable(TEST_SOURCE_DIR "/tables/ini_refusals.txt");
    const std::string gbk = "[S]\r\nk=old\r\n[Evil]\r\nx=1";
    const auto fresh = dir.file("other/Lumaro.lic");
    for (const std::string& before : {gbk, Utf16("[S]\r\nk=old\r\n"), Utf8("[S]\r\nk=old\r\n")}) {
        for (const Row& row : rows) {
            const struct { std::string section, key, value, reason; } r{row.at(0), row.at(1), row.at(2), row.at(3)};
            SCOPED_TRACE(::testing::PrintToString(before.substr(0, 2) + "|" + r.section + "|" + r.key + "|" + r.value));
            WriteBytes(file, before);
            EXPECT_NE(IniWriteRefusal(r.section, r.key, r.value).find(r.reason), std::string::npos);
            if (before != gbk && r.reason == "936") {
                EXPECT_EQ(IniWriteRefusal(file, r.section, r.key, r.value), "");
                EXPECT_EQ(WriteIniValue(file, r.section, r.key, r.value), IniWriteResult::Written);
                EXPECT_EQ(ReadIniString(file, r.section, r.key), r.value);
                continue;
            }
            EXPECT_NE(IniWriteRefusal(file, r.section, r.key, r.value).find(r.reason), std::string::npos);
            EXPECT_EQ(WriteIniValue(file, r.section, r.key, r.value), IniWriteResult::Refused);
            EXPECT_NO_THROW(WriteIniString(file, r.section, r.key, r.value));
            EXPECT_EQ(ReadBytes(file), before);
            EXPECT_NE(IniWriteRefusal(fresh, r.section, r.key, r.value).find(r.reason), std::string::npos);
            EXPECT_EQ(WriteIniValue(fresh, r.section, r.key, r.value), IniWriteResult::Refused);
            EXPECT_FALSE(std::filesystem::exists(dir.path() / "other"));
        }
    }
    // Harmless inside a name, the unnamed section and an empty value are accepted.
    EXPECT_EQ(IniWriteRefusal("ServerINFO", "ServerIP", "http://a/b?c=d&e=[f]"), "");
    EXPECT_EQ(IniWriteRefusal("[x", "k]", "v;#\t\x1A"), "");
    EXPECT_EQ(IniWriteRefusal("", "k", ""), "");
}

// Several keys go in one replacement of the file: a refused one stores none of them.
TEST_F(SettingsFile, SeveralKeysAreWrittenAllOrNone) {
    const std::string before = "[ServerINFO]\r\nServerIP=old\r\n[Setup]\r\nStatusBar=False\r\n";
    WriteBytes(file, before);
    std::string why;
    EXPECT_EQ(WriteIniValues(file, "ServerINFO", {{"ServerIP", "http://a"}, {"DBName", "\xED\x95\x9C"}}, why),
              IniWriteResult::Refused);  // 한 has no GBK form
    EXPECT_NE(why.find("936"), std::string::npos) << why;
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(WriteIniValues(file, "ServerINFO", {{"ServerIP", "http://a"}, {"DBName", "房产"}}, why),
              IniWriteResult::Written);
    EXPECT_EQ(ReadIniString(file, "ServerINFO", "ServerIP"), "http://a");
    EXPECT_EQ(ReadIniString(file, "ServerINFO", "DBName"), "房产");
    EXPECT_EQ(ReadIniString(file, "Setup", "StatusBar"), "False");
    WriteBytes(file, Utf16("[ServerINFO]\r\nServerIP=old\r\n"));
    EXPECT_EQ(WriteIniValues(file, "ServerINFO", {{"ServerIP", "http://a"}, {"DBName", "\xED\x95\x9C"}}, why),
              IniWriteResult::Written);
    EXPECT_EQ(ReadBytes(file), Utf16("[ServerINFO]\r\nServerIP=http://a\r\nDBName=한\r\n"));
}

}  // namespace
}  // namespace lumaro
