// TextToNumber, NumberToText and the rounding helpers, independent of the locale.
#include "qvconfig/settings/numbers.h"

#include <cfloat>
#include <algorithm>
#include <cmath>
#include <limits>

#include "qvconfig/settings/exact_conversions.h"

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

// &H and &O numbers: all their digits make one integer, rounded once, correctly.
double ReadBasePrefixed(const std::string& text, std::size_t start, int base) {
    std::string digits;
    for (std::size_t i = start; i < text.size() && DigitValue(text[i], base) >= 0; ++i) digits += text[i];
    return IntegerToDouble(digits, base);
}

// Copies the run of decimal digits at `pos` to `out`; returns how many there were.
std::size_t TakeDigits(const std::string& text, std::size_t& pos, std::string& out) {
    const std::size_t first = pos;
    while (pos < text.size() && IsDecimalDigit(text[pos])) out += text[pos++];
    return pos - first;
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
    // The exponent counts only when at least one digit follows its letter and sign.
    std::int32_t exponent = 0;
    if (pos < text.size() && std::string("EeDd").find(text[pos]) != std::string::npos) {
        std::size_t at = pos + 1;
        bool exponentNegative = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) exponentNegative = text[at++] == '-';
        std::string exponentDigits;
        if (TakeDigits(text, at, exponentDigits) > 0) {
            exponent = exponentNegative ? -CappedExponent(exponentDigits) : CappedExponent(exponentDigits);
        }
    }
    // The digits as one integer: the point moves into the exponent.
    const double magnitude =
        DecimalToDouble(whole + fraction, std::int64_t{exponent} - static_cast<std::int64_t>(fraction.size()));
    return negative ? -magnitude : magnitude;
}

// Positional form: "0.00123", "12.5", "2049".
std::string Positional(const DecimalDigits& d) {
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent < 0) return "0." + std::string(-d.exponent - 1, '0') + d.digits;
    if (d.exponent + 1 >= count) return d.digits + std::string(d.exponent + 1 - count, '0');
    return d.digits.substr(0, d.exponent + 1) + "." + d.digits.substr(d.exponent + 1);
}

// Exponent form: "1E+20", "1.5E-07" (sign always, at least two exponent digits).
std::string WithExponent(const DecimalDigits& d) {
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
    // A float converts to a double exactly.
    const DecimalDigits d = RoundToDecimalDigits(static_cast<double>(magnitude), significant);
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
