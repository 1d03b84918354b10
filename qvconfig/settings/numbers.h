// Numbers in control texts: TextToNumber, NumberToText, rounding and single precision.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Reads a number from a control's text, leniently and whatever the locale: blanks,
// tabs and line feeds anywhere are ignored; then an optional sign, digits, an
// optional "." and digits, an optional exponent (E or D, either case, optional sign,
// digits); or &H hexadecimal / &O octal digits read as an integer. Reading stops at
// the first character that does not fit; no digit read gives 0. A number beyond the
// range of a double reads as the largest finite double of its sign.
double TextToNumber(const std::string& text);

// Writes a number as a control's text: "-" for a negative value, one blank for any
// other, then the shortest decimal form with at most 15 significant digits, "." as
// the separator, no trailing zeros, no point for a whole number. The value is rounded
// to 15 digits (halves to even). It is written positionally while its first digit's
// decimal exponent lies from -5 to 14 (0.00001 to 999999999999999); beyond that as
// mantissa, "E", sign and at least two exponent digits (" 1E+15", "-1.5E-07"), which
// TextToNumber reads. An infinity is written as the largest finite value of its
// sign, NaN as " 0".
std::string NumberToText(double value);
// The same for a single-precision number, with at most 7 significant digits and the
// positional form for exponents -5 to 6 (" 1234567", " 1.677722E+07"). Seven digits
// do not always tell two floats apart: the text reads back as the float rounded to 7
// digits, the same float whenever that float is the nearest one to a 6-digit decimal.
std::string NumberToText(float value);

// The nearest integer, a value exactly halfway going to the even neighbour.
double RoundHalfEven(double value);
// Rounded half-to-even and saturated to the type's range (NaN gives 0).
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);
// Saturates an integer to 16 bits.
std::int16_t SaturateToInt16(std::int64_t value);
// Conversion to single precision, to nearest; beyond the float range it saturates
// to the largest finite float of its sign.
float ToSingle(double value);

}  // namespace qv
