#pragma once

#include <string>
#include <string_view>

#include "config/ProfileFile.h"

// The text of a settings file as Windows editors save it: code page 936 as the
// profile functions write it, or Unicode ("UTF-16 LE" or "UTF-8" in Notepad),
// told apart by the byte-order mark at its start; or UTF-8 without a mark, as
// Notepad now saves "UTF-8" and most Linux editors save everything.
namespace lumaro::profile {

enum class Encoding {
    Ansi,       // no mark: code page 936 bytes
    Utf8,       // EF BB BF
    Utf16,      // FF FE, little-endian
    Utf8NoMark, // no mark, valid UTF-8 with characters of three or more bytes
};

struct ProfileText {
    Encoding encoding = Encoding::Ansi;
    // Ansi: the file's bytes. Otherwise UTF-8 without the mark; a UTF-16 unit
    // that pairs with no other (an unpaired surrogate) is kept in the same
    // three-byte form as any other unit, so every file converts back whole.
    std::string text;
    // The odd last byte of a UTF-16 file, kept as it was.
    std::string tail;

    Charset charset() const { return encoding == Encoding::Ansi ? Charset::Gbk : Charset::Utf8; }
};

// Tells the encoding of a file from its bytes: the mark, or without one UTF-8
// when the whole file is valid UTF-8 and holds a character of three or more
// bytes (Chinese text does; GBK text hardly ever passes for it), else code page 936.
Encoding EncodingOf(std::string_view bytes);

ProfileText DecodeText(std::string bytes);
std::string EncodeText(const ProfileText& text);

// `utf8` with everything that is not well-formed UTF-8 replaced by U+FFFD:
// an unpaired surrogate as one character, any other stray byte one by one.
std::string WellFormedUtf8(std::string_view utf8);

}  // namespace lumaro::profile
