#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How stored and typed texts become numbers, and numbers become texts, the
// same way everywhere in the program.
namespace lumaro {

// The leading-number parse. Blanks, tabs, CR and LF anywhere in the text are
// ignored; the longest leading decimal number (optional sign, digits, one "."
// whatever the locale, optional exponent E or D with optional sign) is taken and
// the rest ignored; an exponent needs a digit ("1e" is 1). "&H" and "&O"
// introduce hexadecimal and octal integers: a value that fits 16 bits is a
// 16-bit two's-complement value (&HFFFF is -1), one that fits 32 bits a 32-bit
// one (&HFFFFFFFF is -1), larger ones overflow; leading zeros do not count.
// No leading number, the empty text included, gives 0. "12,000" gives 12,
// "0.5%" 0.5, "000888" 888. The result is correctly rounded and independent of
// the user's locale. A number beyond the double range throws
// errors::Overflow(); one too small for it gives 0.
double Val(std::string_view text);

// Rounding to the nearest integer, halves to even (12.5 -> 12, 13.5 -> 14).
// A result outside the type's range (or a NaN) throws errors::Overflow().
int16_t CInt(double value);
int32_t CLng(double value);

// The ordinary text form of a number: up to 15 significant digits, no
// trailing zeros, no grouping, "." as the decimal point: 0.5, 888, 100000,
// -2.25; outside 1e-5 <= |x| < 1e15 the exponent form 1E+15, 1.5E-07.
std::string NumberText(double value);

// The cents text: pattern "0.00", halves away from zero judged on the
// number's 15-significant-digit decimal form (2.345 -> "2.35"); a leading "-"
// for negatives, never "-0.00". A NaN or infinity throws errors::Overflow().
std::string CentsText(double value);

// The number a cents text denotes; any other text is read as Val reads it
// (and so throws errors::Overflow() beyond the double range).
double CentsValue(std::string_view centsText);

// A number's text as people type it, in ASCII where ASCII has the character:
// full-width forms (what a Chinese input method gives in full-width mode), "。"
// and the typographic minus taken as their ASCII characters, thousands
// separators and blanks dropped; every other character kept (UTF-8).
std::string AsciiNumberText(std::string_view text);

// Sign, digits with at most one ".", and an optional exponent ("e", sign, digits): "-1.5e3", ".5".
bool IsDecimalNumber(std::string_view text);

}  // namespace lumaro
