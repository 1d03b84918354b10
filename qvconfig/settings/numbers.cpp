// TextToNumber, NumberToText and the rounding helpers, independent of the locale.
#include "qvconfig/settings/numbers.h"

#include <cfloat>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace qv {
namespace {

bool IsIgnoredInNumber(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

std::string WithoutBlanks(const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (!IsIgnoredInNumber(c)) kept += c;
    }
    return kept;
}

// The value of a hexadecimal or octal digit, or -1 when `c` is none in `base`.
int DigitValue(char c, int base) {
    int value = -1;
    if (IsDecimalDigit(c)) value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// A parse that left the range of a double ends at the largest finite value of its
// sign; one that fell below the smallest subnormal ends at zero.
double SaturatedParse(const std::string& chars, std::chars_format format, bool overflowIfOutOfRange,
                      bool negative) {
    double value = 0.0;
    const auto result = std::from_chars(chars.data(), chars.data() + chars.size(), value, format);
    if (result.ec == std::errc::result_out_of_range) {
        value = overflowIfOutOfRange ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

// &H and &O numbers: the digits become one hexadecimal mantissa (octal digits through
// their bits), so that even a very long number is rounded once, correctly.
std::string OctalAsHex(const std::string& octal) {
    std::string bits;
    for (char c : octal) {
        const int digit = c - '0';
        for (int bit = 2; bit >= 0; --bit) bits += static_cast<char>('0' + ((digit >> bit) & 1));
    }
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hex;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const int nibble = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 + (bits[i + 3] - '0');
        hex += "0123456789abcdef"[nibble];
    }
    return hex;
}

double ReadBasePrefixed(const std::string& text, std::size_t start, int base) {
    std::string digits;
    for (std::size_t i = start; i < text.size() && DigitValue(text[i], base) >= 0; ++i) digits += text[i];
    if (digits.empty()) return 0.0;
    const std::string hex = base == 16 ? digits : OctalAsHex(digits);
    return SaturatedParse(hex, std::chars_format::hex, true, false);
}

// Copies the run of decimal digits at `pos` to `out`; returns how many there were.
std::size_t TakeDigits(const std::string& text, std::size_t& pos, std::string& out) {
    const std::size_t first = pos;
    while (pos < text.size() && IsDecimalDigit(text[pos])) out += text[pos++];
    return pos - first;
}

// The decimal exponent of the leading nonzero digit of "whole.fraction", or 0 for zero.
std::int64_t LeadingDigitExponent(const std::string& whole, const std::string& fraction) {
    const auto nonzero = whole.find_first_not_of('0');
    if (nonzero != std::string::npos) return static_cast<std::int64_t>(whole.size() - nonzero) - 1;
    const auto inFraction = fraction.find_first_not_of('0');
    if (inFraction != std::string::npos) return -static_cast<std::int64_t>(inFraction) - 1;
    return 0;
}

// An exponent's digits as a number, capped far beyond any double's range. The cap
// comes before each step, so the value never leaves 32 bits, whatever `long` is.
constexpr std::int32_t ExponentCap = 1000000000;

std::int32_t CappedExponent(const std::string& digits) {
    std::int32_t value = 0;
    for (char c : digits) {
        if (value >= ExponentCap / 10) return ExponentCap;
        value = value * 10 + (c - '0');
    }
    return value;
}

double ReadDecimal(const std::string& text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    std::string whole, fraction;
    std::size_t digits = TakeDigits(text, pos, whole);
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        digits += TakeDigits(text, pos, fraction);
    }
    if (digits == 0) return 0.0;
    std::string chars = (whole.empty() ? "0" : whole) + "." + fraction;
    // The exponent counts only when at least one digit follows its letter and sign.
    std::int32_t exponent = 0;
    if (pos < text.size() && std::string("EeDd").find(text[pos]) != std::string::npos) {
        std::size_t at = pos + 1;
        bool exponentNegative = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) exponentNegative = text[at++] == '-';
        std::string exponentDigits;
        if (TakeDigits(text, at, exponentDigits) > 0) {
            exponent = exponentNegative ? -CappedExponent(exponentDigits) : CappedExponent(exponentDigits);
            chars += "e" + std::to_string(exponent);
        }
    }
    // Out of range, a number whose first digit stands left of the point is too large,
    // any other too small.
    const bool overflow = LeadingDigitExponent(whole, fraction) + exponent > 0;
    return SaturatedParse(chars, std::chars_format::general, overflow, negative);
}

// Decimal digits (no trailing zeros) and the exponent of the first digit of a finite,
// positive value rounded to `significant` digits.
struct RoundedDecimal {
    std::string digits;
    int exponent;
};

template <typename Number>
RoundedDecimal RoundToSignificant(Number value, int significant) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                      significant - 1);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    std::string digits = text.substr(0, 1) + (e > 1 ? text.substr(2, e - 2) : "");
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.empty()) digits = "0";
    return {digits, std::stoi(text.substr(e + 1))};
}

// Positional form: "0.00123", "12.5", "2049".
std::string Positional(const RoundedDecimal& d) {
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent < 0) return "0." + std::string(-d.exponent - 1, '0') + d.digits;
    if (d.exponent + 1 >= count) return d.digits + std::string(d.exponent + 1 - count, '0');
    return d.digits.substr(0, d.exponent + 1) + "." + d.digits.substr(d.exponent + 1);
}

// Exponent form: "1E+20", "1.5E-07" (sign always, at least two exponent digits).
std::string WithExponent(const RoundedDecimal& d) {
    std::string mantissa = d.digits.substr(0, 1);
    if (d.digits.size() > 1) mantissa += "." + d.digits.substr(1);
    const int magnitude = std::abs(d.exponent);
    return mantissa + (d.exponent < 0 ? "E-" : "E+") + (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
}

// A value is written positionally when its first digit stands between the fifth place
// after the point and the last place its significant digits can fill; beyond that
// the trailing or leading zeros would say more than the digits do, and it takes an
// exponent.
constexpr int SmallestPositionalExponent = -5;

template <typename Number>
std::string FormatNumber(Number value, int significant) {
    if (std::isnan(value)) return " 0";
    const std::string sign = value < 0 ? "-" : " ";
    if (std::isinf(value)) value = std::numeric_limits<Number>::max();
    const Number magnitude = std::fabs(value);
    if (magnitude == 0) return " 0";
    const RoundedDecimal d = RoundToSignificant(magnitude, significant);
    const bool positional = d.exponent >= SmallestPositionalExponent && d.exponent < significant;
    return sign + (positional ? Positional(d) : WithExponent(d));
}

}  // namespace

double TextToNumber(const std::string& text) {
    const std::string kept = WithoutBlanks(text);
    if (kept.size() >= 2 && kept[0] == '&') {
        if (kept[1] == 'H' || kept[1] == 'h') return ReadBasePrefixed(kept, 2, 16);
        if (kept[1] == 'O' || kept[1] == 'o') return ReadBasePrefixed(kept, 2, 8);
    }
    return ReadDecimal(kept);
}

std::string NumberToText(double value) { return FormatNumber(value, 15); }

std::string NumberToText(float value) { return FormatNumber(value, 7); }

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double below = std::floor(value);
    const double fraction = value - below;  // exact: both share the value's scale
    if (fraction > 0.5) return below + 1.0;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

namespace {
template <typename Integer>
Integer RoundSaturated(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = RoundHalfEven(value);
    if (rounded >= static_cast<double>(std::numeric_limits<Integer>::max())) return std::numeric_limits<Integer>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<Integer>::min())) return std::numeric_limits<Integer>::min();
    return static_cast<Integer>(rounded);
}
}  // namespace

std::int16_t RoundToInt16(double value) { return RoundSaturated<std::int16_t>(value); }

std::int32_t RoundToInt32(double value) { return RoundSaturated<std::int32_t>(value); }

std::int16_t SaturateToInt16(std::int64_t value) {
    if (value > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
    if (value < std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(value);
}

float ToSingle(double value) {
    if (value > FLT_MAX) return FLT_MAX;
    if (value < -FLT_MAX) return -FLT_MAX;
    // Stored through memory: the x87 unit of the Windows 9x build would otherwise be
    // free to keep the extra bits of a double in its registers.
    const volatile float single = static_cast<float>(value);
    return single;
}

}  // namespace qv
