// TextToNumber, NumberToText and the rounding helpers: worked values, edge cases and read-back properties.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "qvconfig/settings/numbers.h"

namespace qv {
namespace {

struct TextCase {
    const char* text;
    double expected;
};

std::string ManyDigits(const char* head, std::size_t zeros, const char* tail) {
    return head + std::string(zeros, '0') + tail;
}

TEST(TextToNumber, ReadsLenientlyAsFarAsTheCharactersFit) {
    const TextCase cases[] = {
        {"", 0},           {"abc", 0},        {"-", 0},          {".", 0},          {"--5", 0},
        {"1 0 0", 100},    {" \t\n4 2 ", 42}, {"12abc", 12},     {"1,5", 1},        {"1.5.3", 1.5},
        {".5", 0.5},       {"5.", 5},         {"-2.5", -2.5},    {"+7", 7},         {"3073.5", 3073.5},
        {"1E2", 100},      {"1e+2", 100},     {"1D3", 1000},     {"2.5d-1", 0.25},  {"1e", 1},
        {"1e-", 1},        {"1 e 2", 100},    {"0x10", 0},       {"1e0000000000000000000003", 1000},
        {"0e999", 0},      {"1e-999", 0},     {"1\r2", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TextToNumber, ReadsHexadecimalAndOctalIntegers) {
    const TextCase cases[] = {
        {"&H1F", 31},  {"&h1f", 31},    {"&HfF", 255}, {"&H1G", 1}, {"&H", 0},      {"& H10", 16},
        {"&O17", 15},  {"&o777", 511},  {"&O8", 0},    {"&O19", 1}, {"-&H10", 0},   {"&X10", 0},
        {"&H123456789ABCDEF", 81985529216486895.0},   // rounded once from 57 bits
        {"&O1777777777777777777777", 18446744073709551615.0},
        {"&H20000000000001", 9007199254740992.0},  // halfway: to the even neighbour
        {"&H20000000000003", 9007199254740996.0},
        {"&O1000000000000000002", 18014398509481984.0},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TextToNumber, NumbersBeyondTheRangeOfADoubleSaturate) {
    const double largest = std::numeric_limits<double>::max();
    // Exponents around and beyond 32 bits, where a `long` of the Windows builds ends.
    const TextCase cases[] = {
        {"1e999", largest},          {"-1e999", -largest},          {"1e99999999999999999999999", largest},
        {"1E2147483647", largest},   {"1E2147483648", largest},     {"1E4294967296", largest},
        {"1E99999999999", largest},  {"-1E2147483648", -largest},   {"1E+999999999", largest},
        {"1E1000000000", largest},   {"0.001E2147483648", largest}, {"1E-2147483648", 0},
        {"1E-2147483649", 0},        {"1E-99999999999", 0},         {"-1E-4294967296", 0},
        {"1E-999999999", 0},         {"0E2147483648", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToNumber(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(TextToNumber(ManyDigits("1", 400, "e-10")), largest);
    EXPECT_EQ(TextToNumber(ManyDigits("0.", 400, "1e10")), 0.0);
    EXPECT_EQ(TextToNumber("&H" + std::string(300, 'F')), largest);
    EXPECT_EQ(TextToNumber("&O" + std::string(400, '7')), largest);
}

TEST(TextToNumber, RoundsToTheNearestDoubleAndHalfwayToTheEvenOne) {
    const double smallest = std::numeric_limits<double>::denorm_min();
    const TextCase cases[] = {
        {"9007199254740993", 9007199254740992.0},  // 2^53 + 1
        {"9007199254740995", 9007199254740996.0},
        {"9007199254740993.00000000000000000001", 9007199254740994.0},
        {"4.9406564584124654e-324", smallest},
        {"2.4703282292062328e-324", smallest},
        {"2.4703282292062327e-324", 0},
        {"2.2250738585072011e-308", 2.2250738585072009e-308},  // the largest subnormal
        {"2.2250738585072012e-308", DBL_MIN},
        {"1.7976931348623158e308", DBL_MAX},
        {"1.7976931348623159e308", DBL_MAX},  // nearer to 2^1024 than to DBL_MAX
        {"0.000000000000000000000000000000000000000000000000000000001e57", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToNumber(c.text), c.expected) << '"' << c.text << '"';
    // A nonzero digit far beyond the 17th still lifts a halfway value.
    EXPECT_EQ(TextToNumber(ManyDigits("9007199254740993.", 900, "1")), 9007199254740994.0);
    EXPECT_EQ(TextToNumber(ManyDigits("9007199254740993.", 900, "0")), 9007199254740992.0);
}

struct DoubleTextCase {
    double value;
    const char* text;
};

TEST(NumberToText, WritesShortestFormWithAtMost15Digits) {
    const double largest = std::numeric_limits<double>::max();
    const DoubleTextCase cases[] = {
        {2049.0, " 2049"},
        {3073.5, " 3073.5"},
        {-2.5, "-2.5"},
        {0.0, " 0"},
        {-0.0, " 0"},
        {0.1 + 0.2, " 0.3"},
        {1.0 / 3.0, " 0.333333333333333"},
        {-2.0 / 3.0, "-0.666666666666667"},
        {123456789012345.0, " 123456789012345"},
        {123456789012344.5, " 123456789012344"},  // a tie goes to the even digit
        {123456789012345.5, " 123456789012346"},
        {999999999999999.9, " 1E+15"},
        {1e15, " 1E+15"},
        {1234567890123456.0, " 1.23456789012346E+15"},
        {0.00001, " 0.00001"},
        {0.000012345, " 0.000012345"},
        {0.000001, " 1E-06"},
        {-1.5e-7, "-1.5E-07"},
        {1e300, " 1E+300"},
        {largest, " 1.79769313486232E+308"},
        {5e-324, " 4.94065645841247E-324"},
        {std::numeric_limits<double>::infinity(), " 1.79769313486232E+308"},
        {-std::numeric_limits<double>::infinity(), "-1.79769313486232E+308"},
        {std::numeric_limits<double>::quiet_NaN(), " 0"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberToText(c.value), c.text) << c.value;
}

struct FloatTextCase {
    float value;
    const char* text;
};

TEST(NumberToText, WritesSinglePrecisionWithAtMost7Digits) {
    const FloatTextCase cases[] = {
        {1.44140625f, " 1.441406"},
        {2.87890625f, " 2.878906"},
        {10.0f, " 10"},
        {4095.0f, " 4095"},
        {608.0f, " 608"},
        {0.1f, " 0.1"},  // as a double it would show its binary error
        {-0.5f, "-0.5"},
        {1234567.0f, " 1234567"},
        {1234568.5f, " 1234568"},  // a tie goes to the even digit
        {16777216.0f, " 1.677722E+07"},
        {std::nextafter(1.0f, 2.0f), " 1"},  // 1.00000012 carries more than 7 digits
        {FLT_MAX, " 3.402823E+38"},
        {2147483648.0f, " 2.147484E+09"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberToText(c.value), c.text) << c.value;
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {
        {0.5, 0},      {1.5, 2},       {2.5, 2},        {-0.5, 0},           {-1.5, -2},
        {-2.5, -2},    {150.5, 150},   {151.5, 152},    {2.4999999999, 2},   {2.5000000001, 3},
        {-2.50001, -3}, {368.64000511, 369}, {4503599627370497.0, 4503599627370497.0}, {1e300, 1e300},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.first), c.second) << c.first;
}

TEST(Rounding, IntegersSaturateAndNaNGivesZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_EQ(RoundToInt16(32767.5), 32767);
    EXPECT_EQ(RoundToInt16(40000), 32767);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    EXPECT_EQ(RoundToInt16(-40000), -32768);
    EXPECT_EQ(RoundToInt16(inf), 32767);
    EXPECT_EQ(RoundToInt16(nan), 0);
    EXPECT_EQ(RoundToInt32(1048320.0), 1048320);
    EXPECT_EQ(RoundToInt32(2147483647.5), 2147483647);
    EXPECT_EQ(RoundToInt32(3e9), 2147483647);
    EXPECT_EQ(RoundToInt32(-2147483648.5), -2147483647 - 1);
    EXPECT_EQ(RoundToInt32(-inf), -2147483647 - 1);
    EXPECT_EQ(RoundToInt32(nan), 0);
    EXPECT_EQ(SaturateToInt16(32768), 32767);
    EXPECT_EQ(SaturateToInt16(-32769), -32768);
    EXPECT_EQ(SaturateToInt16(-1234), -1234);
}

TEST(Rounding, SinglePrecisionSaturatesToTheLargestFloat) {
    EXPECT_EQ(ToSingle(1.44), 1.44f);
    EXPECT_EQ(ToSingle(1e39), FLT_MAX);
    EXPECT_EQ(ToSingle(-1e39), -FLT_MAX);
    EXPECT_EQ(ToSingle(std::numeric_limits<double>::infinity()), FLT_MAX);
    EXPECT_EQ(ToSingle(static_cast<double>(FLT_MAX) * (1 + 1e-9)), FLT_MAX);
    EXPECT_TRUE(std::isnan(ToSingle(std::numeric_limits<double>::quiet_NaN())));
}

// Read-back properties over many values. The oracle is the C library's own decimal
// rounding ("%.*e"), so the two sides share no code.
class ReadBack : public ::testing::Test {
protected:
    std::mt19937_64 random{20240521};

    static double RoundedBySignificantDigits(double value, int significant) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*e", significant - 1, value);
        const double rounded = std::strtod(text, nullptr);
        // Rounding up past the largest double reads back as the largest double.
        return std::isinf(rounded) ? std::copysign(DBL_MAX, rounded) : rounded;
    }

    static int SignificantDigits(const std::string& text) {
        std::string digits;
        for (char c : text.substr(0, text.find('E'))) {
            if (c >= '0' && c <= '9') digits += c;
        }
        const auto first = digits.find_first_not_of('0');
        return first == std::string::npos ? 0 : static_cast<int>(digits.size() - first);
    }

    double AnyFiniteDouble() {
        for (;;) {
            const std::uint64_t bits = random();
            double value;
            std::memcpy(&value, &bits, sizeof value);
            if (std::isfinite(value)) return value;
        }
    }

    float AnyFiniteFloat() {
        for (;;) {
            const auto bits = static_cast<std::uint32_t>(random());
            float value;
            std::memcpy(&value, &bits, sizeof value);
            if (std::isfinite(value)) return value;
        }
    }

    // A decimal with `digits` significant digits whose exponent lies in [low, high].
    double DecimalWithDigits(int digits, int low, int high) {
        std::uniform_int_distribution<std::int64_t> mantissa(1, static_cast<std::int64_t>(std::pow(10, digits)) - 1);
        std::uniform_int_distribution<int> exponent(low, high);
        const std::string text = std::to_string(mantissa(random)) + "e" + std::to_string(exponent(random));
        const double value = std::strtod(text.c_str(), nullptr);
        return random() % 2 ? -value : value;
    }
};

// The exact decimal of a value, in fixed-point form with 1100 places: enough for every double.
std::string ExactDecimal(double value) {
    char text[1500];
    std::snprintf(text, sizeof text, "%.1100f", value);
    return text;
}

// The exact mean of two fixed-point decimals at or above 0 with as many places, in
// decimal digits (one place more), so that no binary rounding can touch it.
std::string MeanOf(std::string a, std::string b) {
    const auto pointA = a.find('.'), pointB = b.find('.');
    a.insert(0, pointB > pointA ? pointB - pointA : 0, '0');
    b.insert(0, pointA > pointB ? pointA - pointB : 0, '0');
    a += '0';
    b += '0';
    std::string sum = a;
    int carry = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] == '.') continue;
        const int digits = (a[i] - '0') + (b[i] - '0') + carry;
        sum[i] = static_cast<char>('0' + digits % 10);
        carry = digits / 10;
    }
    if (carry) sum.insert(0, 1, '1');
    int rest = 0;
    for (char& c : sum) {
        if (c == '.') continue;
        const int part = rest * 10 + (c - '0');
        c = static_cast<char>('0' + part / 2);
        rest = part % 2;
    }
    return sum;
}

// A decimal of any length reads as the nearest double: the C library's strtod rounds
// correctly, so it is the oracle. The exact midpoints between neighbouring doubles go to
// the even neighbour, and the smallest step above or below one decides the direction.
TEST_F(ReadBack, DecimalsReadAsTheNearestDouble) {
    std::uniform_int_distribution<int> length(1, 40), digit(0, 9), exponent(-360, 330);
    for (int i = 0; i < 20000; ++i) {
        std::string text = std::to_string(1 + digit(random) % 9) + ".";
        for (int n = length(random); n > 0; --n) text += static_cast<char>('0' + digit(random));
        text += "e" + std::to_string(exponent(random));
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(TextToNumber(text), std::isinf(expected) ? DBL_MAX : expected) << text;
    }
    for (int i = 0; i < 2000; ++i) {
        const double below = std::fabs(AnyFiniteDouble());
        const double above = std::nextafter(below, HUGE_VAL);
        if (std::isinf(above)) continue;
        const std::string midpoint = MeanOf(ExactDecimal(below), ExactDecimal(above));
        std::uint64_t bits;
        std::memcpy(&bits, &below, sizeof bits);
        ASSERT_EQ(TextToNumber(midpoint), bits % 2 == 0 ? below : above) << midpoint;
        ASSERT_EQ(TextToNumber(midpoint + "1"), above) << midpoint;
        // The last place lowered by one: the last nonzero digit one less, nines after it.
        std::string lower = midpoint;
        const auto last = lower.find_last_not_of("0.");
        --lower[last];
        for (std::size_t place = last + 1; place < lower.size(); ++place) {
            if (lower[place] != '.') lower[place] = '9';
        }
        ASSERT_EQ(TextToNumber(lower), below) << midpoint;
    }
}

// Any double reads back as itself rounded to 15 significant digits.
TEST_F(ReadBack, AnyDoubleReadsBackRoundedTo15Digits) {
    for (int i = 0; i < 50000; ++i) {
        const double value = AnyFiniteDouble();
        const std::string text = NumberToText(value);
        ASSERT_EQ(TextToNumber(text), RoundedBySignificantDigits(value, 15)) << text;
        ASSERT_LE(SignificantDigits(text), 15) << text;
        ASSERT_EQ(text[0], value < 0 ? '-' : ' ') << text;
    }
}

// A double that is the nearest one to a decimal of up to 15 digits reads back exactly,
// and writing it again gives the same text.
TEST_F(ReadBack, DoubleOf15DigitsReadsBackExactly) {
    for (int i = 0; i < 50000; ++i) {
        const double value = DecimalWithDigits(15, -307, 293);
        const std::string text = NumberToText(value);
        ASSERT_EQ(TextToNumber(text), value) << text;
        ASSERT_EQ(NumberToText(TextToNumber(text)), text);
    }
}

// Whole numbers below 10^15 are written as their plain digits.
TEST_F(ReadBack, WholeNumbersAreWrittenAsTheirDigits) {
    std::uniform_int_distribution<std::int64_t> whole(-999999999999999, 999999999999999);
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t number = whole(random);
        const std::string expected = (number < 0 ? "-" : " ") + std::to_string(std::llabs(number));
        ASSERT_EQ(NumberToText(static_cast<double>(number)), expected);
    }
}

// A single-precision number's text is the number rounded to 7 significant digits;
// floats carry up to 9 digits, so reading back does not always give the same float.
TEST_F(ReadBack, AnyFloatReadsBackRoundedTo7Digits) {
    for (int i = 0; i < 50000; ++i) {
        const float value = AnyFiniteFloat();
        const std::string text = NumberToText(value);
        ASSERT_EQ(TextToNumber(text), RoundedBySignificantDigits(value, 7)) << text;
        ASSERT_LE(SignificantDigits(text), 7) << text;
    }
}

// A float that is the nearest one to a decimal of up to 6 digits (all that single
// precision always keeps) reads back as the same float.
TEST_F(ReadBack, FloatOf6DigitsReadsBackAsTheSameFloat) {
    for (int i = 0; i < 50000; ++i) {
        const float value = ToSingle(DecimalWithDigits(6, -37, 32));
        const std::string text = NumberToText(value);
        ASSERT_EQ(ToSingle(TextToNumber(text)), value) << text;
    }
}

}  // namespace
}  // namespace qv
