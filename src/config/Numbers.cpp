#include "config/Numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

#include "config/Failure.h"

namespace lumaro {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a text while skipping the blanks that may stand anywhere in a number.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}
    // The next non-blank character, or 0 at the end.
    char Peek() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void Next() { ++pos_; }
    std::size_t Position() const { return pos_; }
    void Rewind(std::size_t pos) { pos_ = pos; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "&H..." / "&O...", the reader standing after the "&". A value that fits 16
// bits is a two's-complement 16-bit integer (&HFFFF is -1), one that fits 32
// bits a 32-bit integer, anything larger overflows.
double RadixInteger(Reader& in) {
    const char prefix = in.Peek();
    int radix = 0;
    if (prefix == 'H' || prefix == 'h') radix = 16;
    else if (prefix == 'O' || prefix == 'o') radix = 8;
    else return 0;
    in.Next();
    std::uint64_t value = 0;
    for (;;) {
        const int digit = HexDigit(in.Peek());
        if (digit < 0 || digit >= radix) break;
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFu) throw errors::Overflow();
        in.Next();
    }
    if (value <= 0xFFFFu) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Exponents far outside the double range are all alike; capping keeps the
// arithmetic below in range whatever the text says.
constexpr long long ExponentCap = 100000000;

}  // namespace

double Val(std::string_view text) {
    Reader in(text);
    char c = in.Peek();
    if (c == '&') {
        in.Next();
        return RadixInteger(in);
    }
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        in.Next();
    }
    // The significant digits without leading zeros, and the power of ten of
    // the last one.
    std::string digits;
    long long scale = 0;
    bool anyDigit = false;
    while (IsDigit(c = in.Peek())) {
        anyDigit = true;
        if (!digits.empty() || c != '0') digits.push_back(c);
        in.Next();
    }
    if (c == '.') {
        in.Next();
        while (IsDigit(c = in.Peek())) {
            anyDigit = true;
            if (!digits.empty() || c != '0') digits.push_back(c);
            --scale;
            in.Next();
        }
    }
    if (!anyDigit) return 0;

    // An exponent counts only with at least one digit: "1e" is 1.
    if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
        const std::size_t mark = in.Position();
        in.Next();
        bool negativeExponent = false;
        c = in.Peek();
        if (c == '+' || c == '-') {
            negativeExponent = c == '-';
            in.Next();
        }
        if (IsDigit(in.Peek())) {
            long long exponent = 0;
            while (IsDigit(c = in.Peek())) {
                if (exponent < ExponentCap) exponent = exponent * 10 + (c - '0');
                in.Next();
            }
            scale += negativeExponent ? -exponent : exponent;
        } else {
            in.Rewind(mark);
        }
    }
    if (digits.empty()) return 0;

    // The power of ten of the leading digit decides overflow and underflow.
    const long long magnitude = scale + static_cast<long long>(digits.size()) - 1;
    if (magnitude > 309) throw errors::Overflow();
    if (magnitude < -330) return negative ? -0.0 : 0.0;

    digits.push_back('e');
    digits += std::to_string(scale);
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitude > 0) throw errors::Overflow();
        value = 0;
    } else if (result.ec != std::errc() || !std::isfinite(value)) {
        throw errors::Overflow();
    }
    return negative ? -value : value;
}

namespace {

// Nearest integer, halves to even, for a finite value.
double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5) return floor;
    if (fraction > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

template <class Int>
Int RoundTo(double value) {
    if (!std::isfinite(value)) throw errors::Overflow();
    const double rounded = RoundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw errors::Overflow();
    }
    return static_cast<Int>(rounded);
}

// A finite non-zero number rounded to 15 significant digits: the digits
// d1 d2 ... d15 and the power of ten of d1.
struct Decimal15 {
    std::array<char, 15> digits{};
    int exponent = 0;
    bool negative = false;
};

Decimal15 ToDecimal15(double value) {
    // "d.dddddddddddddde+XX": to_chars is exact and ignores the user's locale.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    Decimal15 out;
    const char* p = buffer;
    if (*p == '-') {
        out.negative = true;
        ++p;
    }
    out.digits[0] = *p++;
    ++p;  // the point
    for (std::size_t i = 1; i < out.digits.size(); ++i) out.digits[i] = *p++;
    ++p;  // 'e'
    std::from_chars(*p == '+' ? p + 1 : p, result.ptr, out.exponent);
    return out;
}

}  // namespace

int16_t CInt(double value) { return RoundTo<int16_t>(value); }
int32_t CLng(double value) { return RoundTo<int32_t>(value); }

std::string NumberText(double value) {
    if (!std::isfinite(value)) throw errors::Overflow();
    if (value == 0) return "0";
    const Decimal15 d = ToDecimal15(value);
    std::size_t count = d.digits.size();
    while (count > 1 && d.digits[count - 1] == '0') --count;
    const std::string_view digits(d.digits.data(), count);

    std::string text = d.negative ? "-" : "";
    if (d.exponent >= 15 || d.exponent < -5) {
        text += digits[0];
        if (count > 1) {
            text += '.';
            text += digits.substr(1);
        }
        text += d.exponent < 0 ? "E-" : "E+";
        const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
        if (magnitude < 10) text += '0';
        text += std::to_string(magnitude);
    } else if (d.exponent >= 0) {
        const auto whole = static_cast<std::size_t>(d.exponent) + 1;
        if (count <= whole) {
            text += digits;
            text.append(whole - count, '0');
        } else {
            text += digits.substr(0, whole);
            text += '.';
            text += digits.substr(whole);
        }
    } else {
        text += "0.";
        text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        text += digits;
    }
    return text;
}

namespace {

// "-"? digits "." two digits, from a count of cents.
std::string CentsFromCount(std::uint64_t cents, bool negative) {
    const bool sign = negative && cents != 0;  // never "-0.00"
    char buffer[32];
    char* p = buffer + sizeof buffer;
    for (int place = 0; place < 3 || cents != 0; ++place) {
        if (place == 2) *--p = '.';
        *--p = static_cast<char>('0' + cents % 10);
        cents /= 10;
    }
    if (sign) *--p = '-';
    return std::string(p, buffer + sizeof buffer);
}

}  // namespace

std::string CentsText(double value) {
    if (!std::isfinite(value)) throw errors::Overflow();
    if (value == 0) return "0.00";

    // Below 1e9 the 15-digit form lies within 1e-4 cent of the number, and
    // value * 100 within 2e-5 cent of the exact product: away from a half
    // cent both round alike, without taking the digits apart.
    const double magnitude = std::fabs(value);
    if (magnitude < 1e9) {
        const double scaled = magnitude * 100;
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) > 1e-3) {
            return CentsFromCount(static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0), value < 0);
        }
    }

    const Decimal15 d = ToDecimal15(value);

    // The digits down to the cents place; the next digit decides, halves up.
    // A number at 10^k has k + 3 digits down to its cents.
    const int kept = d.exponent + 3;
    std::string digits;
    if (kept >= static_cast<int>(d.digits.size())) {
        digits.assign(d.digits.begin(), d.digits.end());
        digits.append(static_cast<std::size_t>(kept) - d.digits.size(), '0');
    } else if (kept >= 0) {
        digits.assign(d.digits.begin(), d.digits.begin() + kept);
        if (d.digits[static_cast<std::size_t>(kept)] >= '5') {
            std::size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
            if (i == 0) digits.insert(digits.begin(), '1');
            else ++digits[i - 1];
        }
    }
    // Below a thousandth nothing is left: "0.00", never "-0.00".
    bool zero = true;
    for (char c : digits) zero = zero && c == '0';
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');

    std::string text = (d.negative && !zero) ? "-" : "";
    text.append(digits, 0, digits.size() - 2);
    text += '.';
    text.append(digits, digits.size() - 2, 2);
    return text;
}

double CentsValue(std::string_view centsText) {
    // The common "-"? digits "." two digits: the count of cents is exact below
    // 2^53, and one division by 100 rounds it as a parse would.
    {
        std::string_view t = centsText;
        const bool negative = !t.empty() && t[0] == '-';
        if (negative) t.remove_prefix(1);
        if (t.size() >= 4 && t.size() <= 18 && t[t.size() - 3] == '.') {
            std::uint64_t cents = 0;
            bool plain = true;
            for (std::size_t i = 0; i < t.size() && plain; ++i) {
                if (i == t.size() - 3) continue;
                plain = IsDigit(t[i]);
                cents = cents * 10 + static_cast<unsigned>(t[i] - '0');
            }
            if (plain && cents < (std::uint64_t{1} << 53)) {
                const double value = static_cast<double>(cents) / 100;
                return negative ? -value : value;
            }
        }
    }
    double value = 0;
    const char* first = centsText.data();
    const char* last = first + centsText.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::fixed);
    if (result.ec == std::errc() && result.ptr == last && std::isfinite(value)) return value;
    // Anything but a plain decimal: read it the ordinary way.
    return Val(centsText);
}

namespace {

// The next UTF-8 character of `text` at `i` as a code point; 0xFFFD for a broken sequence.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    i += length;
    return c;
}

}  // namespace

bool IsDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i > start;
    };
    const auto sign = [&] {
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    };
    sign();
    bool mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa = digits() || mantissa;
    }
    if (!mantissa) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        sign();
        if (!digits()) return false;
    }
    return i == text.size();
}

std::string AsciiNumberText(std::string_view text) {
    std::string kept;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        char32_t c = NextCodePoint(text, i);
        if (c >= 0xFF01 && c <= 0xFF5E) c = c - 0xFF01 + 0x21;  // full-width forms
        if (c == 0x3002) c = '.';                               // 。
        if (c == 0x2212) c = '-';                               // the typographic minus
        // Group separators and blanks people put between digits.
        if (c == ',' || c == ' ' || c == '\t' || c == 0x3000 || c == 0x00A0 || c == 0x2009 || c == 0x202F) continue;
        if (c < 0x80) kept += static_cast<char>(c);
        else kept.append(text.substr(start, i - start));
    }
    return kept;
}

}  // namespace lumaro
