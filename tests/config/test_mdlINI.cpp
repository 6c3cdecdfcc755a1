// The settings file's reading and writing rules, each against a real file
// whose bytes are written exactly.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "config/mdlINI.h"
#include "core/TempDir.h"

namespace lumaro {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const std::string AJ = "\xB0\xB4\xBD\xD2\xD7\xC9\xD1\xAF";  // 按揭咨询 in GBK
const std::string DK = "\xB4\xFB\xBF\xEE\xC0\xFB\xC2\xCA";  // 贷款利率 in GBK

// A text as Notepad saves it as "Unicode" (UTF-16 LE) and as "UTF-8", each with its byte-order mark.
std::string Utf16(std::u16string_view text, const std::string& tail = "") {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes + tail;
}
std::string Utf8(const std::string& text) { return "\xEF\xBB\xBF" + text; }

class SettingsFile : public ::testing::Test {
protected:
    TempDir dir;
    const std::string file = dir.file("ini/Lumaro.lic");
};

// Each row: the file's bytes, the section and key asked for, the value read.
TEST_F(SettingsFile, ReadsAsTheProfileFunctionsDo) {
    const std::string digits = std::string(1000, '1') + std::string(100, '2');
    const std::string a1022(1022, 'a'), q1023(1023, 'q');
    const struct {
        const char* name;
        std::string bytes, section, key, expected;
    } rows[] = {
        {"plain", "[Setup]\r\nStatusBar=False\r\n", "Setup", "StatusBar", "False"},
        {"names_case_ignored", "[sETUP]\r\nstatusBAR=False\r\n", "SetUp", "STATUSbar", "False"},
        {"value_case_kept", "[Regist]\r\nDLL=true\r\n", "Regist", "DLL", "true"},
        {"value_blanks_trimmed", "[S]\r\nk= \t\v\f\x1Av a l\x1A\f\v\t \r\n", "S", "k", "v a l"},
        {"key_blanks_trimmed", "[S]\r\n \t\x1Ak \v= v\r\n", "S", "k", "v"},
        {"heading_line_and_name_trimmed", " \t\x1A[ \tSetup\x1A ]\v \r\nk=v\r\n", "Setup", "k", "v"},
        {"heading_runs_to_last_bracket", "[a]b]\r\nk=v\r\n", "a]b", "k", "v"},
        {"heading_rest_of_line_ignored", "[S] k=x\r\nk=v\r\n", "S", "k", "v"},
        {"heading_without_close_is_a_key", "[S]\r\n[T=1\r\nk=v\r\n", "S", "[T", "1"},
        {"lf_crlf_and_cr_end_lines", "[A]\r\na=1\n[S]\rk=v\rj=w\r\n", "S", "j", "w"},
        {"zero_byte_ends_value_blank_kept", "[S]\r\nk=abc \0def\r\n"s, "S", "k", "abc "},
        {"zero_byte_then_quotes", "[S]\r\nk=\"ab\"\0x\r\n"s, "S", "k", "ab"},
        {"split_at_first_equals", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        {"line_without_equals_reads_empty_and_hides_later", "[S]\r\nk\r\nk=v\r\n", "S", "k", ""},
        {"semicolon_is_no_comment", "[S]\r\n;k=v\r\n", "S", ";k", "v"},
        {"hash_is_no_comment", "[S]\r\n#k=v\r\n", "S", "#k", "v"},
        {"lines_before_first_heading_form_empty_section", "k=v\r\n[S]\r\nk=w\r\n", "", "k", "v"},
        {"empty_section_not_searched_for_other_names", "k=v\r\n[S]\r\nj=w\r\n", "S", "k", ""},
        // The section "" is the lines before the first heading, even none: a "[]" heading is never reached.
        {"empty_heading_at_start_never_reached", "[]\r\nk=v\r\n", "", "k", ""},
        {"empty_heading_after_lines_never_reached", "a=1\r\n[]\r\nk=v\r\n", "", "k", ""},
        {"names_passed_trimmed", "[Setup]\r\nk=v\r\n", " \tSetup\x1A", "\v k \f", "v"},
        {"first_section_wins", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "1"},
        {"first_key_line_wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
        {"next_heading_ends_section", "[S]\r\na=1\r\n[T]\r\nk=v\r\n", "S", "k", ""},
        {"quotes_removed_inner_blanks_kept", "[S]\r\nk= \" v \" \r\n", "S", "k", " v "},
        {"single_quotes_removed", "[S]\r\nk='v'\r\n", "S", "k", "v"},
        {"only_one_pair_removed", "[S]\r\nk=\"\"v\"\"\r\n", "S", "k", "\"v\""},
        {"lone_quote_kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
        {"empty_quotes_read_empty", "[S]\r\nk=''\r\n", "S", "k", ""},
        {"missing_key", "[Setup]\r\nStatusBar=False\r\n", "Setup", "MainWeb", ""},
        {"missing_section", "[Setup]\r\nStatusBar=False\r\n", "ServerINFO", "StatusBar", ""},
        {"empty_key_asked", "[S]\r\n=v\r\n", "S", "", ""},
        {"chinese_names", "[" + AJ + "]\r\n" + DK + "=0.5\r\n", "按揭咨询", "贷款利率", "0.5"},
        // 0x81 0x41 is 丄, 0x81 0x61 is 乤, 0x81 0x5D is 乚: trail bytes that look like letters or "]".
        {"trail_byte_letters_not_folded", "[\x81\x41]\r\nk=v\r\n", "乤", "k", ""},
        {"double_byte_name_matched_exactly", "[\x81\x41]\r\nk=v\r\n", "丄", "k", "v"},
        {"trail_byte_letters_in_key", "[S]\r\n\x81\x61=x\r\n\x81\x41=v\r\n", "S", "丄", "v"},
        {"trail_byte_is_no_close_bracket", "[S]\r\n[\x81\x5D=1\r\n", "S", "[乚", "1"},
        {"name_ending_in_trail_bracket", "[\x81\x5D]\r\nk=v\r\n", "乚", "k", "v"},
        {"fullwidth_letters_not_folded", "[Ｓ]\r\nk=v\r\n", "ｓ", "k", ""},
        {"undecodable_bytes_become_replacement", "[S]\r\nk=a\xFF" "b\x81\r\n", "S", "k", "a\uFFFDb\uFFFD"},
        // At most 1023 bytes, whole characters only, counted without the quotes.
        {"long_value_cut", "[S]\r\nk=" + digits + "\r\n", "S", "k", digits.substr(0, 1023)},
        {"exactly_1023_fit", "[S]\r\nk=" + digits.substr(0, 1023) + "\r\n", "S", "k", digits.substr(0, 1023)},
        {"straddling_character_left_out", "[S]\r\nk=" + a1022 + AJ + "\r\n", "S", "k", a1022},
        {"character_ending_at_1023_fits", "[S]\r\nk=" + a1022.substr(1) + AJ, "S", "k", a1022.substr(1) + "按"},
        {"limit_without_quotes", "[S]\r\nk=\"" + q1023 + "\"\r\n", "S", "k", q1023},
        // Files saved as Unicode or UTF-8: the mark is no part of the first line, and any character can be stored.
        {"utf16_first_heading", Utf16(u"[Setup]\r\nStatusBar=False\r\n"), "Setup", "StatusBar", "False"},
        {"utf8_first_heading", Utf8("[Setup]\r\nStatusBar=False\r\n"), "Setup", "StatusBar", "False"},
        {"utf16_chinese_names", Utf16(u"[按揭咨询]\r\n贷款利率= 0.5 \r\n"), "按揭咨询", "贷款利率", "0.5"},
        {"utf16_text_gbk_lacks", Utf16(u"[한국]\r\nk=\"한 😀 ä\"\r\n"), "한국", "k", "한 😀 ä"},
        {"utf8_text_gbk_lacks", Utf8("[S]\r\nk=한 😀 ä\r\n"), "s", "K", "한 😀 ä"},
        {"utf16_lines_before_first_heading", Utf16(u"k=v\r\n[S]\r\nk=w\r\n"), "", "k", "v"},
        // 中 is E4 B8 AD in UTF-8: read as GBK, AD would take the "]" as its trail byte.
        {"utf8_bracket_after_chinese", Utf8("[中]\r\nk=中]\r\n"), "中", "k", "中]"},
        {"utf16_zero_ends_value", Utf16(u"[S]\r\nk=ab\0c\r\n"sv), "S", "k", "ab"},
        {"utf16_unpaired_surrogate_replaced", Utf16(u"[S]\r\nk=a\xD800" u"b\xDC00\r\n"), "S", "k", "a\uFFFDb\uFFFD"},
        {"utf16_odd_last_byte_ignored", Utf16(u"[S]\r\nk=v", "\x41"), "S", "k", "v"},
        {"utf8_invalid_bytes_replaced", Utf8("[S]\r\nk=a\xFF" "b\xE4\xB8\r\n"), "S", "k", "a\uFFFDb\uFFFD\uFFFD"},
        {"mark_alone", Utf16(u""), "S", "k", ""},
        {"gbk_is_not_utf8_without_mark", "[S]\r\nk=\xE4\xB8\xAD\r\n", "S", "k", "涓\uFFFD"},
        // Cut as the code page would hold the value: 1023 bytes, a character it lacks taking one.
        {"utf16_long_value_cut", Utf16(u"[S]\r\nk=" + std::u16string(1100, u'1')), "S", "k", std::string(1023, '1')},
        {"utf16_chinese_cut_at_whole_characters", Utf16(u"[S]\r\nk=" + std::u16string(600, u'按')), "S", "k",
         [] { std::string v; for (int i = 0; i < 511; ++i) v += "按"; return v; }()},
        {"utf8_characters_gbk_lacks_cut", Utf8("[S]\r\nk=a" + [] { std::string v; for (int i = 0; i < 1100; ++i) v += "한"; return v; }()), "S", "k",
         "a" + [] { std::string v; for (int i = 0; i < 1022; ++i) v += "한"; return v; }()},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        WriteBytes(file, r.bytes);
        EXPECT_EQ(ReadIniString(file, r.section, r.key), r.expected);
        EXPECT_EQ(ReadBytes(file), r.bytes) << "reading changed the file";
    }
}

TEST_F(SettingsFile, MissingFileAndFolderReadEmptyAndCreateNothing) {
    EXPECT_EQ(ReadIniString(file, "Regist", "DLL"), "");
    EXPECT_EQ(ReadIniString("", "Regist", "DLL"), "");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "ini"));
}

// Each row: the file before (none: no file yet), what is written, the bytes after.
TEST_F(SettingsFile, WriteChangesOrAddsOnlyThatLine) {
    const struct {
        const char* name;
        std::optional<std::string> before;
        std::string section, key, value, after;
    } rows[] = {
        {"creates_file", std::nullopt, "Regist", "DLL", "True", "[Regist]\r\nDLL=True\r\n"},
        {"empty_file", "", "Regist", "DLL", "True", "[Regist]\r\nDLL=True\r\n"},
        {"replaces_value_keeps_neighbours", "[A]\r\nx=1\r\n[S]\r\nk=old\r\nj=2\r\n[B]\r\ny=3", "S", "k", "new",
         "[A]\r\nx=1\r\n[S]\r\nk=new\r\nj=2\r\n[B]\r\ny=3"},
        {"replaced_line_keeps_its_line_end", "[S]\nk=old\nz=1\n", "S", "k", "new", "[S]\nk=new\nz=1\n"},
        {"replaced_line_found_regardless_of_case_and_blanks", "[s]\r\n  K \t= old  \r\n", "S", "k", "new",
         "[s]\r\nk=new\r\n"},
        {"new_key_after_last_non_blank_line", "[S]\r\na=1\r\n\r\n \r\n[T]\r\nb=2\r\n", "S", "k", "v",
         "[S]\r\na=1\r\nk=v\r\n\r\n \r\n[T]\r\nb=2\r\n"},
        {"new_key_after_lone_heading", "[S]\r\n[T]\r\n", "S", "k", "v", "[S]\r\nk=v\r\n[T]\r\n"},
        {"new_key_in_lf_file_ends_crlf", "[S]\na=1\n", "S", "k", "v", "[S]\na=1\nk=v\r\n"},
        {"new_key_after_last_line_without_end", "[S]\r\na=1", "S", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
        {"new_section_at_end", "[A]\r\na=1\r\n\r\n", "S", "k", "v", "[A]\r\na=1\r\n\r\n[S]\r\nk=v\r\n"},
        {"new_section_after_lone_cr", "[A]\ra=1\r", "S", "k", "v", "[A]\ra=1\r[S]\r\nk=v\r\n"},
        {"first_section_of_a_name_only", "[S]\r\na=1\r\n[s]\r\nk=old\r\n", "S", "k", "v",
         "[S]\r\na=1\r\nk=v\r\n[s]\r\nk=old\r\n"},
        {"first_line_of_a_key_only", "[S]\r\nk=1\r\nk=2\r\n", "S", "K", "v", "[S]\r\nK=v\r\nk=2\r\n"},
        {"key_without_equals_is_the_line", "[S]\r\nk\r\nk=old\r\n", "S", "k", "v", "[S]\r\nk=v\r\nk=old\r\n"},
        {"value_written_exactly", "[S]\r\n", "S", "k", "  \"q\" ;#= ", "[S]\r\nk=  \"q\" ;#= \r\n"},
        {"names_trimmed", std::nullopt, " S\t", "\x1Ak ", "v", "[S]\r\nk=v\r\n"},
        {"chinese_in_gbk", "", "按揭咨询", "贷款利率", "按揭咨询", "[" + AJ + "]\r\n" + DK + "=" + AJ + "\r\n"},
        // The section "" is written where the profile functions read it: before the first heading.
        {"empty_section_before_first_heading", "a=1\r\n\r\n[S]\r\n", "", "k", "v", "a=1\r\nk=v\r\n\r\n[S]\r\n"},
        {"empty_section_at_start_of_file", "\r\n[S]\r\n[]\r\nk=old\r\n", "", "k", "v", "k=v\r\n\r\n[S]\r\n[]\r\nk=old\r\n"},
        {"empty_section_in_new_file", std::nullopt, "", "k", "v", "k=v\r\n"},
        {"other_lines_byte_for_byte", "junk\x00\xFF\r\n[A]\n x = \x81\x30\x80\xFF \r\r\n\r\n[S]\rk=1\n;c"s,
         "S", "k", "2", "junk\x00\xFF\r\n[A]\n x = \x81\x30\x80\xFF \r\r\n\r\n[S]\rk=2\n;c"s},
        // Unicode files stay Unicode, mark and all, and take any character.
        {"utf16_value_replaced", Utf16(u"[按揭咨询]\r\n贷款利率=0.5\r\n[B]\r\n"), "按揭咨询", "贷款利率", "한 😀",
         Utf16(u"[按揭咨询]\r\n贷款利率=한 😀\r\n[B]\r\n")},
        {"utf16_key_added", Utf16(u"[S]\na=1\n\n"), "S", "ä", "v", Utf16(u"[S]\na=1\nä=v\r\n\n")},
        {"utf16_section_added_before_odd_last_byte", Utf16(u"[A]", "\x0D"), "S", "k", "v",
         Utf16(u"[A]\r\n[S]\r\nk=v\r\n", "\x0D")},
        {"utf16_empty_section_after_mark", Utf16(u"[S]\r\n"), "", "k", "v", Utf16(u"k=v\r\n[S]\r\n")},
        {"utf16_mark_alone", Utf16(u""), "S", "k", "v", Utf16(u"[S]\r\nk=v\r\n")},
        {"utf16_other_lines_unit_for_unit", Utf16(u"\xDC00\0\xFFFF\r\n[S]\r\nk=1\r\n\xD83D"sv, "\x01"), "S", "k", "2",
         Utf16(u"\xDC00\0\xFFFF\r\n[S]\r\nk=2\r\n\xD83D"sv, "\x01")},
        {"utf8_other_lines_byte_for_byte", Utf8("\xFF\xE4\xB8\r\n[S]\nk=1\n\xC0"), "S", "k", "2",
         Utf8("\xFF\xE4\xB8\r\n[S]\nk=2\n\xC0")},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::filesystem::remove(file);
        if (r.before) WriteBytes(file, *r.before);
        ASSERT_EQ(WriteIniValue(file, r.section, r.key, r.value), IniWriteResult::Written);
        EXPECT_EQ(ReadBytes(file), r.after);
    }
}

// Texts that would inject lines or that the file cannot store: refused, saying why, the file
// byte-identical, and no missing file or folder created (a new file would be in code page 936).
// A Unicode file stores what the code page lacks.
TEST_F(SettingsFile, RefusedTextsLeaveTheFileIdentical) {
    const struct {
        std::string section, key, value;
        std::string reason;
    } rows[] = {
        {"S", "k", "v\r\n[Evil]\r\nx=2", "line break"}, {"S", "k", "v\nx=2", "line break"},
        {"S", "k", "v\rx=2", "line break"},            {"S", "k", "v\0x"s, "zero"},
        {"S", "k\nx", "v", "line break"},              {"S", "\rk", "v", "line break"},
        {"S", "k\0"s, "v", "zero"},                    {"S", "k=x", "v", "\"=\""},
        {"S", "[Evil]", "v", "\"[\""},                 {"S", " \t[x", "v]", "\"[\""},
        {"S", "", "v", "empty"},                       {"S", " \t\x1A", "v", "empty"},
        {"S]\r\n[Evil", "k", "v", "line break"},       {"S\0"s, "k", "v", "zero"},
        {"S]x", "k", "v", "\"]\""},                    {"S", "k", "a\xFF", "UTF-8"},
        {"S", "\xE6\x8C", "v", "UTF-8"},               {"S", "k", "\xF0\x9F\x98\x80", "936"},
        {"\xE0\xB8\x81", "k", "v", "936"},
    };
    const std::string gbk = "[S]\r\nk=old\r\n[Evil]\r\nx=1";
    const auto fresh = dir.file("other/Lumaro.lic");
    for (const std::string& before : {gbk, Utf16(u"[S]\r\nk=old\r\n"), Utf8("[S]\r\nk=old\r\n")}) {
        for (const auto& r : rows) {
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
    WriteBytes(file, Utf16(u"[ServerINFO]\r\nServerIP=old\r\n"));
    EXPECT_EQ(WriteIniValues(file, "ServerINFO", {{"ServerIP", "http://a"}, {"DBName", "\xED\x95\x9C"}}, why),
              IniWriteResult::Written);
    EXPECT_EQ(ReadBytes(file), Utf16(u"[ServerINFO]\r\nServerIP=http://a\r\nDBName=한\r\n"));
}

}  // namespace
}  // namespace lumaro
