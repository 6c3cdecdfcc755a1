// The settings file's reading and writing rules, each against a real file
// whose bytes are written exactly.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <utility>
#include <string>

#include "config/mdlINI.h"
#include "core/TempDir.h"

namespace lumaro {
namespace {

using namespace std::string_literals;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// GBK bytes of the calculator's section and keys.
const std::string GbkAnJieZiXun = "\xB0\xB4\xBD\xD2\xD7\xC9\xD1\xAF";  // 按揭咨询
const std::string GbkDaiKuanLiLv = "\xB4\xFB\xBF\xEE\xC0\xFB\xC2\xCA";  // 贷款利率

struct ReadCase {
    const char* name;
    std::string bytes;
    std::string section;
    std::string key;
    std::string expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadRule : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadRule, ReadsAsTheProfileFunctionsDo) {
    const auto& c = GetParam();
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    WriteBytes(file, c.bytes);
    EXPECT_EQ(ReadIniString(file, c.section, c.key), c.expected);
    EXPECT_EQ(ReadBytes(file), c.bytes) << "reading changed the file";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ReadRule,
    ::testing::Values(
        ReadCase{"plain", "[Setup]\r\nStatusBar=False\r\n", "Setup", "StatusBar", "False"},
        ReadCase{"section_lower_finds_heading_capitalised", "[Setup]\r\nMainWeb=http://a/\r\n", "setup", "MainWeb",
                 "http://a/"},
        ReadCase{"section_capitalised_finds_heading_lower", "[setup]\r\nMainWeb=x\r\n", "Setup", "MainWeb", "x"},
        ReadCase{"key_case_ignored", "[Setup]\r\nSTATUSBAR=False\r\n", "Setup", "statusBar", "False"},
        ReadCase{"value_case_kept", "[Regist]\r\nDLL=true\r\n", "Regist", "DLL", "true"},
        ReadCase{"value_blanks_trimmed", "[S]\r\nk= \t\v\f\x1Av a l\x1A\f\v\t \r\n", "S", "k", "v a l"},
        ReadCase{"key_blanks_trimmed", "[S]\r\n \t\x1Ak \v= v\r\n", "S", "k", "v"},
        ReadCase{"heading_line_trimmed", " \t\x1A[S]\v \r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"heading_name_trimmed", "[ \tSetup\x1A ]\r\nk=v\r\n", "Setup", "k", "v"},
        ReadCase{"heading_runs_to_last_bracket", "[a]b]\r\nk=v\r\n", "a]b", "k", "v"},
        ReadCase{"heading_rest_of_line_ignored", "[S] k=x\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"heading_without_close_is_a_key", "[S]\r\n[T=1\r\nk=v\r\n", "S", "[T", "1"},
        ReadCase{"heading_without_close_keeps_section", "[S]\r\n[T=1\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"lf_ends_lines", "[S]\nk=v\nj=w\n", "S", "j", "w"},
        ReadCase{"lone_cr_ends_lines", "[S]\rk=v\rj=w\r", "S", "j", "w"},
        ReadCase{"cr_ends_value", "[S]\r\nk=v\rj=w\r\n", "S", "k", "v"},
        ReadCase{"mixed_line_ends", "[A]\r\na=1\n[S]\rk=v\r\n", "S", "k", "v"},
        ReadCase{"zero_byte_ends_value", "[S]\r\nk=abc\0def\r\n"s, "S", "k", "abc"},
        ReadCase{"zero_byte_keeps_blank_before_it", "[S]\r\nk=abc \0def\r\n"s, "S", "k", "abc "},
        ReadCase{"zero_byte_then_quotes", "[S]\r\nk=\"ab\"\0x\r\n"s, "S", "k", "ab"},
        ReadCase{"split_at_first_equals", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        ReadCase{"line_without_equals_reads_empty", "[S]\r\nk\r\n", "S", "k", ""},
        ReadCase{"line_without_equals_hides_later_line", "[S]\r\nk\r\nk=v\r\n", "S", "k", ""},
        ReadCase{"semicolon_is_no_comment", "[S]\r\n;k=v\r\n", "S", ";k", "v"},
        ReadCase{"semicolon_line_is_other_key", "[S]\r\n;k=x\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"hash_is_no_comment", "[S]\r\n#k=v\r\n", "S", "#k", "v"},
        ReadCase{"lines_before_first_heading_form_empty_section", "k=v\r\n[S]\r\nk=w\r\n", "", "k", "v"},
        ReadCase{"empty_section_not_searched_for_other_names", "k=v\r\n[S]\r\nj=w\r\n", "S", "k", ""},
        ReadCase{"empty_heading_when_nothing_precedes", "[]\r\nk=v\r\n", "", "k", "v"},
        ReadCase{"empty_heading_hidden_by_lines_before", "a=1\r\n[]\r\nk=v\r\n", "", "k", ""},
        ReadCase{"section_passed_trimmed", "[Setup]\r\nk=v\r\n", " \tSetup\x1A", "k", "v"},
        ReadCase{"key_passed_trimmed", "[S]\r\nk=v\r\n", "S", "\v k \f", "v"},
        ReadCase{"first_section_only", "[S]\r\na=1\r\n[s]\r\nb=2\r\n", "S", "b", ""},
        ReadCase{"first_section_wins", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "1"},
        ReadCase{"first_key_line_wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
        ReadCase{"blank_lines_inside_section", "[S]\r\n\r\n \t\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"next_heading_ends_section", "[S]\r\na=1\r\n[T]\r\nk=v\r\n", "S", "k", ""},
        ReadCase{"double_quotes_removed", "[S]\r\nk=\"v\"\r\n", "S", "k", "v"},
        ReadCase{"single_quotes_removed", "[S]\r\nk='v'\r\n", "S", "k", "v"},
        ReadCase{"quotes_removed_inner_blanks_kept", "[S]\r\nk= \" v \" \r\n", "S", "k", " v "},
        ReadCase{"only_one_pair_removed", "[S]\r\nk=\"\"v\"\"\r\n", "S", "k", "\"v\""},
        ReadCase{"mixed_quotes_kept", "[S]\r\nk=\"v'\r\n", "S", "k", "\"v'"},
        ReadCase{"lone_quote_kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
        ReadCase{"empty_quotes_read_empty", "[S]\r\nk=''\r\n", "S", "k", ""},
        ReadCase{"empty_value", "[Setup]\r\nMainWeb=\r\n", "Setup", "MainWeb", ""},
        ReadCase{"missing_key", "[Setup]\r\nStatusBar=False\r\n", "Setup", "MainWeb", ""},
        ReadCase{"missing_section", "[Setup]\r\nStatusBar=False\r\n", "ServerINFO", "StatusBar", ""},
        ReadCase{"empty_file", "", "Setup", "StatusBar", ""},
        ReadCase{"empty_key_asked", "[S]\r\n=v\r\n", "S", "", ""},
        ReadCase{"chinese_section_and_key",
                 "[" + GbkAnJieZiXun + "]\r\n" + GbkDaiKuanLiLv + "=0.5\r\n", "按揭咨询", "贷款利率", "0.5"},
        ReadCase{"chinese_value", "[S]\r\nk=" + GbkAnJieZiXun + "\r\n", "S", "k", "按揭咨询"},
        // 0x81 0x41 is 丄 and 0x81 0x61 is 乤: the trail bytes are letters but not letters here.
        ReadCase{"trail_byte_letters_not_folded", "[\x81\x41]\r\nk=v\r\n", "乤", "k", ""},
        ReadCase{"double_byte_name_matched_exactly", "[\x81\x41]\r\nk=v\r\n", "丄", "k", "v"},
        ReadCase{"trail_byte_letters_in_key", "[S]\r\n\x81\x61=x\r\n\x81\x41=v\r\n", "S", "丄", "v"},
        // 0x81 0x5D is one character (乚): its trail byte is no "]".
        ReadCase{"trail_byte_is_no_close_bracket", "[S]\r\n[\x81\x5D=1\r\n", "S", "[乚", "1"},
        ReadCase{"name_ending_in_trail_bracket", "[\x81\x5D]\r\nk=v\r\n", "乚", "k", "v"},
        ReadCase{"fullwidth_letters_not_folded", "[Ｓ]\r\nk=v\r\n", "ｓ", "k", ""},
        ReadCase{"undecodable_bytes_become_replacement", "[S]\r\nk=a\xFF" "b\x81\r\n", "S", "k", "a\uFFFDb\uFFFD"},
        ReadCase{"invalid_bytes_elsewhere_harmless", "\xFF\xFE[\x80]\r\n[S]\r\nk=v\r\n", "S", "k", "v"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(ReadIniString, MissingFileAndFolderReadEmpty) {
    TempDir dir;
    EXPECT_EQ(ReadIniString(dir.file("ini/Lumaro.lic"), "Regist", "DLL"), "");
    EXPECT_EQ(ReadIniString(dir.file("Lumaro.lic"), "Regist", "DLL"), "");
    EXPECT_EQ(ReadIniString("", "Regist", "DLL"), "");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "ini")) << "reading must not create anything";
}

TEST(ReadIniString, LongValueCutToFirst1023Bytes) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    std::string value;
    for (int i = 0; i < 1100; ++i) value += static_cast<char>('0' + i % 10);
    WriteBytes(file, "[S]\r\nk=" + value + "\r\n");
    EXPECT_EQ(ReadIniString(file, "S", "k"), value.substr(0, 1023));

    WriteBytes(file, "[S]\r\nk=" + value.substr(0, 1023) + "\r\n");
    EXPECT_EQ(ReadIniString(file, "S", "k"), value.substr(0, 1023)) << "exactly 1023 bytes fit";
}

TEST(ReadIniString, DoubleByteCharacterStraddlingTheLimitLeftOut) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    const std::string head(1022, 'a');
    WriteBytes(file, "[S]\r\nk=" + head + GbkAnJieZiXun + "\r\n");
    EXPECT_EQ(ReadIniString(file, "S", "k"), head);

    WriteBytes(file, "[S]\r\nk=" + head.substr(1) + GbkAnJieZiXun + "\r\n");
    EXPECT_EQ(ReadIniString(file, "S", "k"), head.substr(1) + "按") << "a character ending at byte 1023 fits";

    // The limit counts the value without its quotes.
    WriteBytes(file, "[S]\r\nk=\"" + std::string(1023, 'q') + "\"\r\n");
    EXPECT_EQ(ReadIniString(file, "S", "k"), std::string(1023, 'q'));
}

TEST(ReadIniString, ArgumentsLeftUnchanged) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    WriteBytes(file, "[Setup]\r\nStatusBar=False\r\n");
    const std::string section = " setup ", key = "StatusBar ";
    ASSERT_EQ(ReadIniString(file, section, key), "False");
    EXPECT_EQ(section, " setup ");
    EXPECT_EQ(key, "StatusBar ");
}

struct WriteCase {
    const char* name;
    std::optional<std::string> before;  // nothing: no file yet
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class WriteRule : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteRule, ChangesOnlyThatLine) {
    const auto& c = GetParam();
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    if (c.before) WriteBytes(file, *c.before);
    ASSERT_EQ(WriteIniValue(file, c.section, c.key, c.value), IniWriteResult::Written);
    EXPECT_EQ(ReadBytes(file), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, WriteRule,
    ::testing::Values(
        WriteCase{"creates_file", std::nullopt, "Regist", "DLL", "True", "[Regist]\r\nDLL=True\r\n"},
        WriteCase{"empty_file", "", "Regist", "DLL", "True", "[Regist]\r\nDLL=True\r\n"},
        WriteCase{"replaces_value_keeps_neighbours",
                  "[A]\r\nx=1\r\n[ServerINFO]\r\nServerIP=old\r\nDBName=house\r\n[B]\r\ny=2\r\n", "ServerINFO",
                  "ServerIP", "10.0.0.1",
                  "[A]\r\nx=1\r\n[ServerINFO]\r\nServerIP=10.0.0.1\r\nDBName=house\r\n[B]\r\ny=2\r\n"},
        WriteCase{"replaced_line_keeps_its_line_end", "[S]\nk=old\nz=1\n", "S", "k", "new", "[S]\nk=new\nz=1\n"},
        WriteCase{"replaced_last_line_without_end", "[S]\r\nk=old", "S", "k", "new", "[S]\r\nk=new"},
        WriteCase{"replaced_line_found_regardless_of_case_and_blanks", "[s]\r\n  K \t= old  \r\n", "S", "k", "new",
                  "[s]\r\nk=new\r\n"},
        WriteCase{"new_key_after_last_non_blank_line", "[S]\r\na=1\r\n\r\n \r\n[T]\r\nb=2\r\n", "S", "k", "v",
                  "[S]\r\na=1\r\nk=v\r\n\r\n \r\n[T]\r\nb=2\r\n"},
        WriteCase{"new_key_after_lone_heading", "[S]\r\n[T]\r\n", "S", "k", "v", "[S]\r\nk=v\r\n[T]\r\n"},
        WriteCase{"new_key_in_lf_file_ends_crlf", "[S]\na=1\n", "S", "k", "v", "[S]\na=1\nk=v\r\n"},
        WriteCase{"new_key_in_cr_file_ends_crlf", "[S]\ra=1\r", "S", "k", "v", "[S]\ra=1\rk=v\r\n"},
        WriteCase{"new_key_after_last_line_without_end", "[S]\r\na=1", "S", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
        WriteCase{"new_section_at_end", "[A]\r\na=1\r\n", "S", "k", "v", "[A]\r\na=1\r\n[S]\r\nk=v\r\n"},
        WriteCase{"new_section_after_last_line_without_end", "[A]\r\na=1", "S", "k", "v",
                  "[A]\r\na=1\r\n[S]\r\nk=v\r\n"},
        WriteCase{"new_section_after_trailing_blank_lines", "[A]\r\na=1\r\n\r\n", "S", "k", "v",
                  "[A]\r\na=1\r\n\r\n[S]\r\nk=v\r\n"},
        WriteCase{"new_section_after_lone_cr", "[A]\ra=1\r", "S", "k", "v", "[A]\ra=1\r[S]\r\nk=v\r\n"},
        WriteCase{"first_section_of_a_name_only", "[S]\r\na=1\r\n[s]\r\nk=old\r\n", "S", "k", "v",
                  "[S]\r\na=1\r\nk=v\r\n[s]\r\nk=old\r\n"},
        WriteCase{"first_line_of_a_key_only", "[S]\r\nk=1\r\nk=2\r\n", "S", "K", "v", "[S]\r\nK=v\r\nk=2\r\n"},
        WriteCase{"key_without_equals_is_the_line_written", "[S]\r\nk\r\nk=old\r\n", "S", "k", "v",
                  "[S]\r\nk=v\r\nk=old\r\n"},
        WriteCase{"value_written_exactly", "[S]\r\n", "S", "k", "  \"q\" ;#= ", "[S]\r\nk=  \"q\" ;#= \r\n"},
        WriteCase{"empty_value_written", "[S]\r\nk=old\r\n", "S", "k", "", "[S]\r\nk=\r\n"},
        WriteCase{"names_trimmed", std::nullopt, " S\t", "\x1Ak ", "v", "[S]\r\nk=v\r\n"},
        WriteCase{"chinese_in_gbk", "[Setup]\r\nStatusBar=False\r\n", "按揭咨询", "贷款利率", "按揭咨询",
                  "[Setup]\r\nStatusBar=False\r\n[" + GbkAnJieZiXun + "]\r\n" + GbkDaiKuanLiLv + "=" +
                      GbkAnJieZiXun + "\r\n"},
        WriteCase{"empty_section_before_first_heading", "a=1\r\n\r\n[S]\r\n", "", "k", "v",
                  "a=1\r\nk=v\r\n\r\n[S]\r\n"},
        WriteCase{"empty_section_as_heading", "[S]\r\n", "", "k", "v", "[S]\r\n[]\r\nk=v\r\n"},
        WriteCase{"other_lines_kept_byte_for_byte",
                  "\xEF\xBB\xBFjunk\x00\xFF\r\n[A]\n x = \x81\x30\x80\xFF \r\r\n\r\n[S]\rk=1\n;c\r\n"s, "S", "k", "2",
                  "\xEF\xBB\xBFjunk\x00\xFF\r\n[A]\n x = \x81\x30\x80\xFF \r\r\n\r\n[S]\rk=2\n;c\r\n"s}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(WriteIniString, ValuesReadBackAsWritten) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    const std::pair<std::string, std::string> cases[] = {
        {"按揭咨询", "按揭咨询"},
        {"贷款利率 0.465%", "贷款利率 0.465%"},
        {"房产中介（前台）·€", "房产中介（前台）·€"},
        {"a=b=c", "a=b=c"},
        {"[x]", "[x]"},
        {"  spaced\t", "spaced"},      // blanks around a value are not kept by the format
        {"'quoted'", "quoted"},         // nor one pair of enclosing quotes
        {"", ""},
    };
    for (const auto& [value, expected] : cases) {
        WriteIniString(file, "按揭咨询", "贷款利率", value);
        EXPECT_EQ(ReadIniString(file, "按揭咨询", "贷款利率"), expected) << value;
    }
    EXPECT_EQ(ReadBytes(file), "[" + GbkAnJieZiXun + "]\r\n" + GbkDaiKuanLiLv + "=\r\n") << "one line, rewritten in place";
}

TEST(WriteIniString, ServerSettingsKeepOtherSectionsAndTheirOrder) {
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    const std::string before =
        "[Regist]\r\nDLL=True\r\n\r\n[ServerINFO]\r\nServerIP=1.2.3.4\r\n\r\n[Setup]\r\nStatusBar=False\r\n"
        "MainWeb=http://home/\r\n[ServerTel]\r\nTel=0755-1234\r\n[" +
        GbkAnJieZiXun + "]\r\n" + GbkDaiKuanLiLv + "=0.5\r\n";
    WriteBytes(file, before);
    for (const auto& [key, value] : std::initializer_list<std::pair<const char*, const char*>>{
             {"DynasetIP", "1"},
             {"ServerIP", "http://lookup/register/ReadIP.asp"},
             {"ServerID", "000888"},
             {"WebRoot", "/house/"},
             {"DBName", "house"}}) {
        ASSERT_EQ(WriteIniValue(file, "ServerINFO", key, value), IniWriteResult::Written);
    }
    EXPECT_EQ(ReadBytes(file),
              "[Regist]\r\nDLL=True\r\n\r\n[ServerINFO]\r\nServerIP=http://lookup/register/ReadIP.asp\r\n"
              "DynasetIP=1\r\nServerID=000888\r\nWebRoot=/house/\r\nDBName=house\r\n\r\n[Setup]\r\n"
              "StatusBar=False\r\nMainWeb=http://home/\r\n[ServerTel]\r\nTel=0755-1234\r\n[" +
                  GbkAnJieZiXun + "]\r\n" + GbkDaiKuanLiLv + "=0.5\r\n");
    EXPECT_EQ(ReadIniString(file, "setup", "StatusBar"), "False");
    EXPECT_EQ(ReadIniString(file, "按揭咨询", "贷款利率"), "0.5");
}

struct Refusal {
    const char* name;
    std::string section;
    std::string key;
    std::string value;
    const char* reason;  // part of what the refusal says
};

void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class InjectionRefused : public ::testing::TestWithParam<Refusal> {};

TEST_P(InjectionRefused, LeavesTheFileByteIdentical) {
    const auto& c = GetParam();
    TempDir dir;
    const auto file = dir.file("ini/Lumaro.lic");
    const std::string before = "[S]\r\nk=old\r\n[Evil]\r\nx=1";
    WriteBytes(file, before);
    EXPECT_EQ(WriteIniValue(file, c.section, c.key, c.value), IniWriteResult::Refused);
    EXPECT_NO_THROW(WriteIniString(file, c.section, c.key, c.value));
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_NE(IniWriteRefusal(c.section, c.key, c.value).find(c.reason), std::string::npos)
        << IniWriteRefusal(c.section, c.key, c.value);

    // Nor is a missing file (or its folder) created.
    const auto fresh = dir.file("other/Lumaro.lic");
    EXPECT_EQ(WriteIniValue(fresh, c.section, c.key, c.value), IniWriteResult::Refused);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "other"));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, InjectionRefused,
    ::testing::Values(
        Refusal{"value_crlf", "S", "k", "v\r\n[Evil]\r\nx=2", "line break"},
        Refusal{"value_lf", "S", "k", "v\nx=2", "line break"},
        Refusal{"value_cr", "S", "k", "v\rx=2", "line break"},
        Refusal{"value_zero", "S", "k", "v\0x"s, "zero"},
        Refusal{"key_lf", "S", "k\nx", "v", "line break"},
        Refusal{"key_cr", "S", "\rk", "v", "line break"},
        Refusal{"key_zero", "S", "k\0"s, "v", "zero"},
        Refusal{"key_equals", "S", "k=x", "v", "\"=\""},
        Refusal{"key_heading", "S", "[Evil]", "v", "\"[\""},
        Refusal{"key_heading_after_blanks", "S", " \t[x", "v]", "\"[\""},
        Refusal{"key_empty", "S", "", "v", "empty"},
        Refusal{"key_blank", "S", " \t\x1A", "v", "empty"},
        Refusal{"section_crlf", "S]\r\n[Evil", "k", "v", "line break"},
        Refusal{"section_lf", "S\n", "k", "v", "line break"},
        Refusal{"section_zero", "S\0"s, "k", "v", "zero"},
        Refusal{"section_close_bracket", "S]x", "k", "v", "\"]\""},
        Refusal{"value_invalid_utf8", "S", "k", "a\xFF", "UTF-8"},
        Refusal{"key_invalid_utf8", "S", "\xE6\x8C", "v", "UTF-8"},
        Refusal{"value_not_in_gbk", "S", "k", "\xF0\x9F\x98\x80", "936"},
        Refusal{"section_not_in_gbk", "\xE0\xB8\x81", "k", "v", "936"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST(IniWriteRefusal, AcceptsOrdinaryTexts) {
    EXPECT_EQ(IniWriteRefusal("ServerINFO", "ServerIP", "http://a/b?c=d&e=[f]"), "");
    EXPECT_EQ(IniWriteRefusal("按揭咨询", "贷款利率", "0.5"), "");
    EXPECT_EQ(IniWriteRefusal("[x", "k]", "v;#\t\x1A"), "") << "harmless inside a name";
    EXPECT_EQ(IniWriteRefusal("", "k", ""), "") << "the unnamed section and an empty value";
}

}  // namespace
}  // namespace lumaro
