// Exact conversions between doubles and digit strings: correctly rounded both ways, whatever the locale.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// The value of `c` as a digit of `base` (2 to 16; letters in either case), or -1 when it is none.
int DigitValue(char c, int base);

// The double nearest to the integer that the decimal `digits` write, times 10^exponent;
// a value exactly halfway between two doubles goes to the one with the even last bit.
// A value beyond the largest finite double gives that double; one that rounds to
// nothing gives 0. No digits, or only zeros, give 0.
double DecimalToDouble(const std::string& digits, std::int64_t exponent);

// The same for an integer written in base 8 or 16 (digits as DigitValue reads them).
double IntegerToDouble(const std::string& digits, int base);

// A finite value above 0 rounded to `significant` decimal digits, 1 to 15 (halves to even):
// the digits without trailing zeros, and the decimal exponent of the first one.
struct DecimalDigits {
    std::string digits;
    int exponent;
};
DecimalDigits RoundToDecimalDigits(double value, int significant);

}  // namespace qv
