#pragma once

#include <string>
#include <string_view>

#include "config/ProfileFile.h"

// The text of a settings file as Windows editors save it: code page 936 as the
// profile functions write it, or Unicode ("UTF-16 LE" or "UTF-8" in Notepad),
// told apart by the byte-order mark at its start.
namespace lumaro::profile {

enum class Encoding {
    Ansi,   // no mark: code page 936 bytes
    Utf8,   // EF BB BF
    Utf16,  // FF FE, little-endian
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

// Tells the encoding from the first bytes of a file (or of its start).
Encoding EncodingOf(std::string_view bytes);

ProfileText DecodeText(std::string bytes);
std::string EncodeText(const ProfileText& text);

// `utf8` with everything that is not well-formed UTF-8 replaced by U+FFFD:
// an unpaired surrogate as one character, any other stray byte one by one.
std::string WellFormedUtf8(std::string_view utf8);

}  // namespace lumaro::profile
