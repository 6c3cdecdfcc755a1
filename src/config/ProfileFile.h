#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The profile ("INI") text format, read and edited as the Windows profile
// functions do. Everything here works on the bytes of the text, in one of two
// character sets (see Charset); the marks and the byte order of a file are
// ProfileText's business.
namespace lumaro::profile {

// How the bytes of a text form characters.
enum class Charset {
    // Code page 936 (GBK): a lead byte 0x81-0xFE followed by a trail byte
    // 0x40-0xFE (but not 0x7F) is one character, every other byte is a
    // character of its own. A trail byte can look like "]" or a letter.
    Gbk,
    // UTF-8: no byte of a multi-byte character is ASCII, so every ASCII byte
    // stands for itself.
    Utf8,
};

// Space, tab, vertical tab, form feed and Ctrl-Z.
bool IsBlank(char c);
std::string_view TrimBlanks(std::string_view text);

// Section and key names compared as the profile functions compare them:
// ASCII letters regardless of case, every other character exactly.
bool NamesEqual(std::string_view a, std::string_view b, Charset charset = Charset::Gbk);

// The value of `key` in the first section called `section` of `content`:
// blanks trimmed, cut at a zero byte, one enclosing pair of quotes removed,
// at most `limit` bytes of whole characters. "" when there is none.
//
// The section named "" is made of the lines before the first heading; it is
// there in every text, so a later "[]" heading is never reached.
inline constexpr std::size_t ValueLimit = 1023;
std::string ReadValue(std::string_view content, std::string_view section, std::string_view key,
                      std::size_t limit = ValueLimit, Charset charset = Charset::Gbk);

// `content` with key=value written into `section`: the first line of the key
// is replaced, or a line is added after the last non-blank line of the
// section, or the section is added at the end of the text (the section ""
// at its start, before the first heading). Every other byte stays as it was;
// added lines end in CR LF. The caller makes sure the names and the value
// cannot break the line structure.
std::string WriteValue(std::string_view content, std::string_view section, std::string_view key,
                       std::string_view value, Charset charset = Charset::Gbk);

// Whether `section` of `content` has the line ReadValue reads for `key`: a
// key=value line, an empty value included ("key=" is there, "key" is not).
bool HoldsValue(std::string_view content, std::string_view section, std::string_view key,
                Charset charset = Charset::Gbk);

// `content` without that line (as the profile functions delete a key); the
// same text when there is none.
std::string RemoveValue(std::string_view content, std::string_view section, std::string_view key,
                        Charset charset = Charset::Gbk);

}  // namespace lumaro::profile
