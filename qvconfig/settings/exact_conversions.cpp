// Exact conversions between doubles and digit strings, in integer arithmetic on big numbers.
//
// The library's to_chars and from_chars do the same with large precomputed tables that
// would make up most of the program. Here every conversion works on the exact value
// instead: a double is m * 2^e, a decimal is d * 10^k, and both are integers once
// scaled, so rounding looks at exact digits or bits. Only integer arithmetic is used,
// so an x87 unit at any precision gives the same results.
#include "qvconfig/settings/exact_conversions.h"

#include <cfloat>
#include <cstring>
#include <vector>

namespace qv {
namespace {

// An unsigned integer of any size: 32-bit limbs, the least significant first, no
// leading zero limb (zero has none).
class BigNumber {
public:
    explicit BigNumber(std::uint64_t value = 0) {
        for (; value != 0; value >>= 32) limbs_.push_back(static_cast<std::uint32_t>(value));
    }

    bool IsZero() const { return limbs_.empty(); }

    int BitLength() const {
        if (limbs_.empty()) return 0;
        int length = static_cast<int>(limbs_.size() - 1) * 32;
        for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1) ++length;
        return length;
    }

    // this * factor + addend.
    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            carry += static_cast<std::uint64_t>(limb) * factor;
            limb = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
        Trim();
    }

    void MultiplyByPowerOf5(std::int64_t exponent) {
        constexpr std::uint32_t kLargestPowerIn32Bits = 1220703125;  // 5^13
        for (; exponent >= 13; exponent -= 13) MultiplyAdd(kLargestPowerIn32Bits, 0);
        std::uint32_t rest = 1;
        for (; exponent > 0; --exponent) rest *= 5;
        MultiplyAdd(rest, 0);
    }

    void ShiftLeft(std::int64_t bits) {
        if (limbs_.empty() || bits == 0) return;
        const auto limbs = static_cast<std::size_t>(bits / 32);
        const int within = static_cast<int>(bits % 32);
        if (within != 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t& limb : limbs_) {
                const std::uint32_t next = limb >> (32 - within);
                limb = (limb << within) | carry;
                carry = next;
            }
            if (carry != 0) limbs_.push_back(carry);
        }
        limbs_.insert(limbs_.begin(), limbs, 0);
    }

    // this - other, where other is not larger.
    void Subtract(const BigNumber& other) {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            std::int64_t difference = static_cast<std::int64_t>(limbs_[i]) - borrow;
            if (i < other.limbs_.size()) difference -= other.limbs_[i];
            borrow = difference < 0 ? 1 : 0;
            limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
        }
        Trim();
    }

    void ShiftRightByOne() {
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint32_t next = i + 1 < limbs_.size() ? limbs_[i + 1] : 0;
            limbs_[i] = (limbs_[i] >> 1) | (next << 31);
        }
        Trim();
    }

    // The 64 bits from bit `first` upwards (this >> first, cut to 64 bits).
    std::uint64_t BitsFrom(int first) const {
        const auto limb = static_cast<std::size_t>(first / 32);
        const int within = first % 32;
        const std::uint64_t low = (static_cast<std::uint64_t>(Limb(limb + 1)) << 32) | Limb(limb);
        return within == 0 ? low : (low >> within) | (static_cast<std::uint64_t>(Limb(limb + 2)) << (64 - within));
    }

    // Whether any bit below bit `end` is set.
    bool AnyBitBelow(int end) const {
        const auto whole = static_cast<std::size_t>(end / 32);
        for (std::size_t i = 0; i < whole && i < limbs_.size(); ++i) {
            if (limbs_[i] != 0) return true;
        }
        const int within = end % 32;
        return within != 0 && (Limb(whole) & ((std::uint32_t{1} << within) - 1)) != 0;
    }

    friend int Compare(const BigNumber& a, const BigNumber& b) {
        if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (std::size_t i = a.limbs_.size(); i-- > 0;) {
            if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        }
        return 0;
    }

private:
    std::uint32_t Limb(std::size_t index) const { return index < limbs_.size() ? limbs_[index] : 0; }

    void Trim() {
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
    }

    std::vector<std::uint32_t> limbs_;
};

// The layout of a double: 52 stored fraction bits below an implicit one, and the
// exponents of the last bit of the smallest subnormal and of the largest double.
constexpr int kFractionBits = 52;
constexpr int kLowestUnit = -1074;
constexpr int kHighestUnit = 971;
constexpr std::uint64_t kImplicitBit = std::uint64_t{1} << kFractionBits;

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

int BitLength(std::uint64_t value) {
    int length = 0;
    for (; value != 0; value >>= 1) ++length;
    return length;
}

// The double nearest to (top + f) * 2^scale, where f is 0 without `sticky` and lies
// strictly between 0 and 1 with it. `top` holds at least 55 bits, so at least two
// bits fall below the last one kept: the first of them says whether the rest is at
// least half a unit, and they and `sticky` say whether it is exactly half.
double NearestDouble(std::uint64_t top, bool sticky, std::int64_t scale) {
    const std::int64_t leading = BitLength(top) - 1 + scale;
    std::int64_t unit = leading - kFractionBits;
    if (unit < kLowestUnit) unit = kLowestUnit;
    if (unit > kHighestUnit) return DBL_MAX;
    const std::int64_t dropped = unit - scale;
    if (dropped > 64) return 0.0;  // below half the smallest subnormal
    std::uint64_t kept = dropped == 64 ? 0 : top >> dropped;
    const std::uint64_t rest = dropped == 64 ? top : top & ((std::uint64_t{1} << dropped) - 1);
    const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
    if (rest > half || (rest == half && (sticky || (kept & 1) != 0))) ++kept;
    if (kept == 2 * kImplicitBit) {
        kept = kImplicitBit;
        if (++unit > kHighestUnit) return DBL_MAX;
    }
    // Below the implicit bit the exponent field is 0: a subnormal, whose unit is the lowest.
    if (kept < kImplicitBit) return FromBits(kept);
    const auto exponentField = static_cast<std::uint64_t>(unit - kLowestUnit + 1);
    return FromBits((exponentField << kFractionBits) | (kept - kImplicitBit));
}

// The double nearest to number * 2^scale, for a number above 0.
double NearestDouble(const BigNumber& number, std::int64_t scale) {
    const int length = number.BitLength();
    const int below = length - 64;  // bits below the top 64; negative: the number is shorter
    if (below <= 0) return NearestDouble(number.BitsFrom(0) << -below, false, scale + below);
    return NearestDouble(number.BitsFrom(below), number.AnyBitBelow(below), scale + below);
}

// floor(numerator / denominator), which must be below 2^64, and whether anything is left over.
struct Quotient {
    std::uint64_t value;
    bool inexact;
};
Quotient Divide(BigNumber numerator, const BigNumber& denominator) {
    std::uint64_t quotient = 0;
    BigNumber shifted = denominator;
    shifted.ShiftLeft(63);
    for (int bit = 63; bit >= 0; --bit, shifted.ShiftRightByOne()) {
        if (Compare(numerator, shifted) >= 0) {
            numerator.Subtract(shifted);
            quotient |= std::uint64_t{1} << bit;
        }
    }
    return {quotient, !numerator.IsZero()};
}

// Digits beyond the 768th never decide a rounding: every point halfway between two
// doubles has at most 767 significant digits. So a longer number is cut there and a
// 1 put after it: that lies strictly between the cut number and the next one up,
// exactly as the nonzero rest did.
constexpr std::size_t kDigitsThatMatter = 768;

// Decimal exponents of the first digit beyond which a value is surely too large
// (10^310 > DBL_MAX) or surely rounds to nothing (10^-324 < half of 4.9E-324).
constexpr std::int64_t kLargestLeading = 309;
constexpr std::int64_t kSmallestLeading = -325;

BigNumber FromDecimal(const std::string& digits) {
    BigNumber number;
    for (char c : digits) number.MultiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
    return number;
}

// The decimal exponent of the first digit of a value whose first bit has the exponent
// `leadingBit`, or up to two less, never more: floor(leadingBit * log10(2)) is that
// exponent or one less, and 78913 / 2^18 lies just below log10(2).
int LeadingDigitEstimate(int leadingBit) {
    const long long scaled = static_cast<long long>(leadingBit) * 78913;
    const long long floor = scaled >= 0 ? scaled / 262144 : -((-scaled + 262143) / 262144);
    return static_cast<int>(floor) - 1;
}

// Rounds exact digits (the first one nonzero) to `significant` of them, halves to even;
// a carry out of the first digit raises the exponent.
DecimalDigits RoundDigits(std::string digits, int exponent, std::size_t significant) {
    if (digits.size() > significant) {
        const char first = digits[significant];
        const bool restBeyondFirst = digits.find_first_not_of('0', significant + 1) != std::string::npos;
        digits.resize(significant);
        const bool odd = (digits.back() - '0') % 2 != 0;
        if (first > '5' || (first == '5' && (restBeyondFirst || odd))) {
            std::size_t i = significant;
            while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                digits.pop_back();
                ++exponent;
            } else {
                ++digits[i - 1];
            }
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    return {digits, exponent};
}

}  // namespace

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

double DecimalToDouble(const std::string& digits, std::int64_t exponent) {
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 0.0;
    const auto last = digits.find_last_not_of('0');
    std::string significant = digits.substr(first, last + 1 - first);
    exponent += static_cast<std::int64_t>(digits.size() - 1 - last);
    const std::int64_t leading = exponent + static_cast<std::int64_t>(significant.size()) - 1;
    if (leading > kLargestLeading) return DBL_MAX;
    if (leading < kSmallestLeading) return 0.0;
    if (significant.size() > kDigitsThatMatter) {
        exponent += static_cast<std::int64_t>(significant.size() - kDigitsThatMatter - 1);
        significant.resize(kDigitsThatMatter);
        significant += '1';
    }

    BigNumber number = FromDecimal(significant);
    if (exponent >= 0) {
        number.MultiplyByPowerOf5(exponent);
        return NearestDouble(number, exponent);
    }
    // digits / 10^k = digits / (5^k * 2^k): divide by 5^k, with the dividend shifted
    // so that the quotient has 63 or 64 bits.
    BigNumber divisor(1);
    divisor.MultiplyByPowerOf5(-exponent);
    const int shift = 63 - number.BitLength() + divisor.BitLength();
    if (shift >= 0) {
        number.ShiftLeft(shift);
    } else {
        divisor.ShiftLeft(-shift);
    }
    const Quotient quotient = Divide(number, divisor);
    return NearestDouble(quotient.value, quotient.inexact, exponent - shift);
}

double IntegerToDouble(const std::string& digits, int base) {
    const int bitsPerDigit = base == 16 ? 4 : 3;
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 0.0;
    // The first digit alone stands for at least 2^1024 beyond this many digits.
    if (static_cast<std::int64_t>(digits.size() - first - 1) * bitsPerDigit >= 1024) return DBL_MAX;
    BigNumber number;
    for (std::size_t i = first; i < digits.size(); ++i) {
        number.ShiftLeft(bitsPerDigit);
        number.MultiplyAdd(1, static_cast<std::uint32_t>(DigitValue(digits[i], base)));
    }
    return NearestDouble(number, 0);
}

DecimalDigits RoundToDecimalDigits(double value, int significant) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const auto exponentField = static_cast<int>((bits >> kFractionBits) & 0x7FF);
    std::uint64_t mantissa = bits & (kImplicitBit - 1);
    int unit = kLowestUnit;
    if (exponentField != 0) {
        mantissa |= kImplicitBit;
        unit = exponentField + kLowestUnit - 1;
    }
    // The value is mantissa * 2^unit. It is scaled by 10^scale so that its integer part
    // has at least one digit more than the rounding keeps, and at most 19.
    const int scale = significant - LeadingDigitEstimate(unit + BitLength(mantissa) - 1);
    // mantissa * 2^unit * 10^scale = mantissa * 2^(unit + scale) * 5^scale
    BigNumber numerator(mantissa), denominator(1);
    const int twos = unit + scale;
    if (scale >= 0) {
        numerator.MultiplyByPowerOf5(scale);
    } else {
        denominator.MultiplyByPowerOf5(-scale);
    }
    if (twos >= 0) {
        numerator.ShiftLeft(twos);
    } else {
        denominator.ShiftLeft(-twos);
    }
    const Quotient scaled = Divide(numerator, denominator);
    // Past the exact digits of the integer part, a nonzero rest counts as a digit 1.
    const std::string digits = std::to_string(scaled.value) + (scaled.inexact ? "1" : "");
    const int integerDigits = static_cast<int>(digits.size()) - (scaled.inexact ? 1 : 0);
    return RoundDigits(digits, integerDigits - 1 - scale, static_cast<std::size_t>(significant));
}

}  // namespace qv
