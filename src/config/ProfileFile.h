#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The profile ("INI") text format, read and edited as the Windows profile
// functions do. Everything here works on the bytes of the file in code page
// 936 (GBK): a lead byte 0x81-0xFE followed by a trail byte 0x40-0xFE (but
// not 0x7F) is one character, every other byte is a character of its own.
namespace lumaro::profile {

// Space, tab, vertical tab, form feed and Ctrl-Z.
bool IsBlank(char c);
std::string_view TrimBlanks(std::string_view text);

// Section and key names compared as the profile functions compare them:
// ASCII letters regardless of case, whole double-byte characters exactly.
bool NamesEqual(std::string_view a, std::string_view b);

// The value of `key` in the first section called `section` of `content`:
// blanks trimmed, cut at a zero byte, one enclosing pair of quotes removed,
// at most `limit` bytes of whole characters. "" when there is none.
inline constexpr std::size_t ValueLimit = 1023;
std::string ReadValue(std::string_view content, std::string_view section, std::string_view key,
                      std::size_t limit = ValueLimit);

// `content` with key=value written into `section`: the first line of the key
// is replaced, or a line is added after the last non-blank line of the
// section, or the section is added at the end of the text. Every other byte
// stays as it was; added lines end in CR LF. The caller makes sure the names
// and the value cannot break the line structure.
std::string WriteValue(std::string_view content, std::string_view section, std::string_view key,
                       std::string_view value);

}  // namespace lumaro::profile
