#include "SoftExtended.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <utility>

// Only 64-bit integers are used (no __int128, which 32-bit ARM lacks): a 128-bit intermediate is
// a pair of words. Each operation works on the exact result, widened to 128 bits with a sticky
// bit for anything below, and rounds it once to 64 bits.

namespace {

using std::uint64_t;

constexpr int Bias = 16383;
constexpr int MinExponent = 1 - Bias;      // of the smallest normals' integer bit
constexpr int MaxExponent = 0x7FFE - Bias; // of the largest finite values' integer bit
constexpr uint64_t IntegerBit = uint64_t{1} << 63;
constexpr uint64_t QuietBit = uint64_t{1} << 62;
constexpr std::uint16_t SignBit = 0x8000;
constexpr std::uint16_t InfiniteExponent = 0x7FFF;

// The x87's answer to an invalid operation (0/0, inf - inf, 0 x inf): the negative quiet NaN
// called "real indefinite".
constexpr ExtendedBits Indefinite{0xFFFF, 0xC000000000000000};

enum class Kind { Zero, Finite, Infinity, NaN, Invalid };

// A value taken apart: Finite ones as significand x 2^(exponent - 63) with bit 63 set, so that
// subnormals look like normals with an exponent below MinExponent.
struct Unpacked {
    Kind kind;
    bool negative;
    int exponent;
    uint64_t significand;
};

Unpacked Unpack(ExtendedBits bits) {
    const bool negative = (bits.signAndExponent & SignBit) != 0;
    const int field = bits.signAndExponent & InfiniteExponent;
    const uint64_t significand = bits.significand;
    const bool integerBit = (significand & IntegerBit) != 0;
    if (field == InfiniteExponent) {
        // An integer bit of 0 here (pseudo-infinity, pseudo-NaN) is an invalid operand.
        if (!integerBit) return {Kind::Invalid, negative, 0, 0};
        return {significand == IntegerBit ? Kind::Infinity : Kind::NaN, negative, 0, significand};
    }
    if (field != 0) {
        if (!integerBit) return {Kind::Invalid, negative, 0, 0}; // an unnormal
        return {Kind::Finite, negative, field - Bias, significand};
    }
    if (significand == 0) return {Kind::Zero, negative, 0, 0};
    // A subnormal (or a pseudo-denormal, whose integer bit is set) has the exponent of field 1.
    const int shift = std::countl_zero(significand);
    return {Kind::Finite, negative, MinExponent - shift, significand << shift};
}

ExtendedBits Pack(bool negative, int field, uint64_t significand) {
    return {static_cast<std::uint16_t>((negative ? SignBit : 0) | field), significand};
}

ExtendedBits Zero(bool negative) {
    return Pack(negative, 0, 0);
}

ExtendedBits Infinity(bool negative) {
    return Pack(negative, InfiniteExponent, IntegerBit);
}

// A 128-bit unsigned number.
struct Wide {
    uint64_t hi, lo;
};

// Shifts right by `count`; the bits shifted out are ORed into the lowest bit ("jammed"), which is
// all that rounding needs to know of them.
Wide ShiftRightJam(Wide value, int count) {
    if (count <= 0) return value;
    bool lost;
    if (count < 64) {
        lost = (value.lo << (64 - count)) != 0;
        value = {value.hi >> count, (value.lo >> count) | (value.hi << (64 - count))};
    } else if (count < 128) {
        lost = value.lo != 0 || (count > 64 && (value.hi << (128 - count)) != 0);
        value = {0, count == 64 ? value.hi : value.hi >> (count - 64)};
    } else {
        lost = value.hi != 0 || value.lo != 0;
        value = {0, 0};
    }
    value.lo |= lost ? 1 : 0;
    return value;
}

Wide ShiftLeft(Wide value, int count) {
    if (count == 0) return value;
    if (count >= 64) return {value.lo << (count - 64), 0};
    return {(value.hi << count) | (value.lo >> (64 - count)), value.lo << count};
}

int CountLeadingZeros(Wide value) {
    return value.hi != 0 ? std::countl_zero(value.hi) : 64 + std::countl_zero(value.lo);
}

// Rounds magnitude x 2^(exponent - 127) to the extended format: magnitude has bit 127 set, and
// its lowest bit is jammed with anything below it. Below the normal range the value is first
// shifted to the subnormals' fixed exponent, so it is rounded once, at their last bit.
ExtendedBits Round(bool negative, int exponent, Wide magnitude) {
    if (exponent < MinExponent) {
        magnitude = ShiftRightJam(magnitude, MinExponent - exponent);
        exponent = MinExponent;
    }
    uint64_t significand = magnitude.hi;
    const bool half = (magnitude.lo & IntegerBit) != 0;
    const bool belowHalf = (magnitude.lo << 1) != 0;
    if (half && (belowHalf || (significand & 1) != 0)) {
        ++significand;
        if (significand == 0) { // carried out of the top: 2^64
            significand = IntegerBit;
            ++exponent;
        }
    }
    if (exponent > MaxExponent) return Infinity(negative);
    if (significand == 0) return Zero(negative);
    // A subnormal rounded up to the smallest normal gets its integer bit and field 1 here.
    const int field = (significand & IntegerBit) != 0 ? exponent + Bias : 0;
    return Pack(negative, field, significand);
}

// The quiet form of a NaN: the x87 sets the quiet bit of a signalling NaN it passes on.
ExtendedBits Quieted(ExtendedBits bits) {
    return {bits.signAndExponent, bits.significand | QuietBit};
}

// The result of an operation with a NaN operand, by the x87's rules: a quiet NaN before a
// signalling one, otherwise the larger significand.
ExtendedBits PropagateNaN(ExtendedBits a, const Unpacked& ua, ExtendedBits b, const Unpacked& ub) {
    if (ua.kind != Kind::NaN) return Quieted(b);
    if (ub.kind != Kind::NaN) return Quieted(a);
    const bool aQuiet = (a.significand & QuietBit) != 0;
    const bool bQuiet = (b.significand & QuietBit) != 0;
    if (aQuiet != bQuiet) return aQuiet ? a : b;
    if (a.significand != b.significand) return Quieted(a.significand > b.significand ? a : b);
    // Equal significands: the one of positive sign.
    return Quieted((a.signAndExponent & SignBit) == 0 ? a : b);
}

// True when an invalid encoding or a NaN decides the result, which is then in `result`.
bool NaNResult(ExtendedBits a, const Unpacked& ua, ExtendedBits b, const Unpacked& ub,
               ExtendedBits& result) {
    if (ua.kind == Kind::Invalid || ub.kind == Kind::Invalid) {
        result = Indefinite;
        return true;
    }
    if (ua.kind == Kind::NaN || ub.kind == Kind::NaN) {
        result = PropagateNaN(a, ua, b, ub);
        return true;
    }
    return false;
}

// A finite value as the canonical pattern (a pseudo-denormal operand comes back as a normal).
ExtendedBits Canonical(const Unpacked& u) {
    return Round(u.negative, u.exponent, {u.significand, 0});
}

// |a| < |b| for finite values.
bool MagnitudeBelow(const Unpacked& a, const Unpacked& b) {
    return a.exponent != b.exponent ? a.exponent < b.exponent : a.significand < b.significand;
}

// a + b, or a - b: a NaN passes through a subtraction with its own sign.
ExtendedBits Add(ExtendedBits a, ExtendedBits b, bool subtract) {
    const Unpacked ua = Unpack(a);
    Unpacked ub = Unpack(b);
    ExtendedBits result;
    if (NaNResult(a, ua, b, ub, result)) return result;
    if (subtract) {
        ub.negative = !ub.negative;
    }
    if (ua.kind == Kind::Infinity || ub.kind == Kind::Infinity) {
        if (ua.kind == Kind::Infinity && ub.kind == Kind::Infinity && ua.negative != ub.negative)
            return Indefinite;
        return Infinity(ua.kind == Kind::Infinity ? ua.negative : ub.negative);
    }
    if (ua.kind == Kind::Zero && ub.kind == Kind::Zero) return Zero(ua.negative && ub.negative);
    if (ub.kind == Kind::Zero) return Canonical(ua);
    if (ua.kind == Kind::Zero) return Canonical(ub);

    const Unpacked& large = MagnitudeBelow(ua, ub) ? ub : ua;
    const Unpacked& small = MagnitudeBelow(ua, ub) ? ua : ub;
    const Wide x{large.significand, 0};
    const Wide y = ShiftRightJam({small.significand, 0}, large.exponent - small.exponent);
    int exponent = large.exponent;
    Wide sum;
    if (large.negative == small.negative) {
        sum.lo = x.lo + y.lo;
        sum.hi = x.hi + y.hi + (sum.lo < x.lo ? 1 : 0);
        if (sum.hi < x.hi) { // carried out of bit 127
            sum = ShiftRightJam(sum, 1);
            sum.hi |= IntegerBit;
            ++exponent;
        }
    } else {
        // Exact when the exponents differ by at most one; otherwise at most one bit cancels, far
        // above the jammed bit.
        sum.lo = x.lo - y.lo;
        sum.hi = x.hi - y.hi - (x.lo < y.lo ? 1 : 0);
        if (sum.hi == 0 && sum.lo == 0) return Zero(false); // x - x is +0 when rounding to nearest
        const int shift = CountLeadingZeros(sum);
        sum = ShiftLeft(sum, shift);
        exponent -= shift;
    }
    return Round(large.negative, exponent, sum);
}

// The full 128-bit product of two 64-bit words, from 32-bit halves.
Wide MultiplyWords(uint64_t a, uint64_t b) {
    const uint64_t aLow = a & 0xFFFFFFFF, aHigh = a >> 32;
    const uint64_t bLow = b & 0xFFFFFFFF, bHigh = b >> 32;
    const uint64_t lowLow = aLow * bLow;
    const uint64_t lowHigh = aLow * bHigh;
    const uint64_t highLow = aHigh * bLow;
    const uint64_t highHigh = aHigh * bHigh;
    const uint64_t middle = (lowLow >> 32) + (lowHigh & 0xFFFFFFFF) + (highLow & 0xFFFFFFFF);
    return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
            (middle << 32) | (lowLow & 0xFFFFFFFF)};
}

ExtendedBits Multiply(ExtendedBits a, ExtendedBits b) {
    const Unpacked ua = Unpack(a), ub = Unpack(b);
    ExtendedBits result;
    if (NaNResult(a, ua, b, ub, result)) return result;
    const bool negative = ua.negative != ub.negative;
    if (ua.kind == Kind::Infinity || ub.kind == Kind::Infinity) {
        if (ua.kind == Kind::Zero || ub.kind == Kind::Zero) return Indefinite;
        return Infinity(negative);
    }
    if (ua.kind == Kind::Zero || ub.kind == Kind::Zero) return Zero(negative);

    Wide product = MultiplyWords(ua.significand, ub.significand); // in [2^126, 2^128)
    int exponent = ua.exponent + ub.exponent + 1;
    if ((product.hi & IntegerBit) == 0) {
        product = ShiftLeft(product, 1);
        --exponent;
    }
    return Round(negative, exponent, product);
}

// (high x 2^64) / divisor for high < divisor and divisor with its top bit set: the 64-bit
// quotient, and the remainder in `remainder`. Long division in base 2^32, each quotient digit
// estimated from the top digits and corrected at most twice (Knuth's algorithm D, as in Hacker's
// Delight's divlu), so that only 64-bit arithmetic is needed.
std::uint64_t DivideWide(std::uint64_t high, std::uint64_t divisor, std::uint64_t& remainder) {
    constexpr std::uint64_t Base = std::uint64_t{1} << 32;
    const std::uint64_t divisorHigh = divisor >> 32, divisorLow = divisor & 0xFFFFFFFF;
    const auto digit = [&](std::uint64_t top, std::uint64_t next) {
        std::uint64_t estimate = top / divisorHigh;
        std::uint64_t rest = top - estimate * divisorHigh;
        while (estimate >= Base || estimate * divisorLow > Base * rest + next) {
            --estimate;
            rest += divisorHigh;
            if (rest >= Base) break;
        }
        return estimate;
    };
    const std::uint64_t first = digit(high, 0);
    const std::uint64_t middle = high * Base - first * divisor; // the remainder, below divisor
    const std::uint64_t second = digit(middle, 0);
    remainder = middle * Base - second * divisor;
    return first * Base + second;
}

ExtendedBits Divide(ExtendedBits a, ExtendedBits b) {
    const Unpacked ua = Unpack(a), ub = Unpack(b);
    ExtendedBits result;
    if (NaNResult(a, ua, b, ub, result)) return result;
    const bool negative = ua.negative != ub.negative;
    if (ua.kind == Kind::Infinity)
        return ub.kind == Kind::Infinity ? Indefinite : Infinity(negative);
    if (ub.kind == Kind::Infinity) return Zero(negative);
    if (ub.kind == Kind::Zero) return ua.kind == Kind::Zero ? Indefinite : Infinity(negative);
    if (ua.kind == Kind::Zero) return Zero(negative);

    // The significands' quotient in (1/2, 2): its bit of weight 1, then 128 bits below it from
    // two long divisions of a remainder shifted up by 64; the last remainder is the sticky bit.
    const std::uint64_t divisor = ub.significand;
    std::uint64_t remainder = ua.significand;
    const bool one = remainder >= divisor;
    if (one) remainder -= divisor;
    const std::uint64_t upper = DivideWide(remainder, divisor, remainder);
    const std::uint64_t lower = DivideWide(remainder, divisor, remainder);
    Wide quotient =
        one ? Wide{IntegerBit | (upper >> 1), (upper << 63) | (lower >> 1) | (lower & 1)}
            : Wide{upper, lower};
    quotient.lo |= remainder != 0 ? 1 : 0;
    // Below 1 the leading bit is the top of `upper`, which is set: the quotient is at least 1/2.
    const int exponent = ua.exponent - ub.exponent - (one ? 0 : 1);
    return Round(negative, exponent, quotient);
}

} // namespace

SoftExtended::SoftExtended(std::int32_t value)
    : SoftExtended(std::int64_t{value}) {
}

SoftExtended::SoftExtended(std::int64_t value) {
    if (value == 0) return;
    const bool negative = value < 0;
    const uint64_t magnitude =
        negative ? uint64_t{0} - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    const int shift = std::countl_zero(magnitude);
    bits_ = Pack(negative, 63 - shift + Bias, magnitude << shift);
}

SoftExtended::SoftExtended(double value) {
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int field = static_cast<int>((bits >> 52) & 0x7FF);
    const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
    if (field == 0x7FF) {
        // Infinity, or a NaN whose payload moves to the top; the x87 quiets a signalling one.
        bits_ = fraction == 0
                    ? Infinity(negative)
                    : Pack(negative, InfiniteExponent, IntegerBit | QuietBit | (fraction << 11));
    } else if (field == 0) {
        if (fraction == 0) {
            bits_ = Zero(negative);
        } else { // a subnormal double, fraction x 2^-1074, is normal here
            const int shift = std::countl_zero(fraction);
            bits_ = Pack(negative, 63 - shift - 1074 + Bias, fraction << shift);
        }
    } else {
        bits_ = Pack(negative, field - 1023 + Bias, IntegerBit | (fraction << 11));
    }
}

SoftExtended SoftExtended::FromBits(ExtendedBits bits) {
    SoftExtended value;
    value.bits_ = bits;
    return value;
}

SoftExtended::operator double() const {
    const Unpacked u = Unpack(bits_);
    const uint64_t sign = u.negative ? uint64_t{1} << 63 : 0;
    const uint64_t infinity = uint64_t{0x7FF} << 52;
    switch (u.kind) {
    case Kind::Zero:
        return std::bit_cast<double>(sign);
    case Kind::Infinity:
        return std::bit_cast<double>(sign | infinity);
    case Kind::NaN: // the top of the payload, quieted
        return std::bit_cast<double>(sign | infinity | (uint64_t{1} << 51) |
                                     ((u.significand << 1) >> 12));
    case Kind::Invalid:
        return std::bit_cast<double>(uint64_t{0xFFF8000000000000});
    case Kind::Finite:
        break;
    }
    if (u.exponent > 1023) return std::bit_cast<double>(sign | infinity);
    // Keep 53 bits, or fewer for a subnormal double (whose last bit weighs 2^-1074).
    const int dropped = u.exponent >= -1022 ? 11 : 11 + (-1022 - u.exponent);
    uint64_t kept = dropped < 64 ? u.significand >> dropped : 0;
    const bool half = dropped <= 64 && ((u.significand >> (dropped - 1)) & 1) != 0;
    const bool belowHalf = dropped > 64 || (dropped > 1 && (u.significand << (65 - dropped)) != 0);
    if (half && (belowHalf || (kept & 1) != 0)) ++kept;
    if (u.exponent <
        -1022) // the subnormal's pattern; a carry into bit 52 makes it the smallest normal
        return std::bit_cast<double>(sign | kept);
    int exponent = u.exponent;
    if (kept >> 53) { // rounded up to the next power of two
        kept >>= 1;
        ++exponent;
    }
    if (exponent > 1023) return std::bit_cast<double>(sign | infinity);
    return std::bit_cast<double>(sign | (static_cast<uint64_t>(exponent + 1023) << 52) |
                                 (kept & ((uint64_t{1} << 52) - 1)));
}

SoftExtended operator+(SoftExtended a, SoftExtended b) {
    return SoftExtended::FromBits(Add(a.bits_, b.bits_, false));
}

SoftExtended operator-(SoftExtended a, SoftExtended b) {
    return SoftExtended::FromBits(Add(a.bits_, b.bits_, true));
}

SoftExtended operator*(SoftExtended a, SoftExtended b) {
    return SoftExtended::FromBits(Multiply(a.bits_, b.bits_));
}

SoftExtended operator/(SoftExtended a, SoftExtended b) {
    return SoftExtended::FromBits(Divide(a.bits_, b.bits_));
}

SoftExtended operator-(SoftExtended a) {
    a.bits_.signAndExponent ^= SignBit;
    return a;
}

SoftExtended::Ordering SoftExtended::Order(SoftExtended a, SoftExtended b) {
    const Unpacked ua = Unpack(a.bits_), ub = Unpack(b.bits_);
    const auto unordered = [](Kind kind) { return kind == Kind::NaN || kind == Kind::Invalid; };
    if (unordered(ua.kind) || unordered(ub.kind)) return Unordered;
    if (ua.kind == Kind::Zero && ub.kind == Kind::Zero) return Equal;
    if (ua.negative != ub.negative) return ua.negative ? Less : Greater;
    // Same sign: order the magnitudes, zero < finite < infinity, then turn them for negatives.
    const auto rank = [](const Unpacked& u) {
        return u.kind == Kind::Zero ? 0 : u.kind == Kind::Finite ? 1 : 2;
    };
    bool below, above;
    if (rank(ua) != rank(ub) || ua.kind != Kind::Finite) {
        below = rank(ua) < rank(ub);
        above = rank(ua) > rank(ub);
    } else {
        below = MagnitudeBelow(ua, ub);
        above = MagnitudeBelow(ub, ua);
    }
    if (ua.negative) std::swap(below, above);
    return below ? Less : above ? Greater : Equal;
}

std::int64_t NearestInteger(SoftExtended value) {
    constexpr std::int64_t IntegerIndefinite = std::numeric_limits<std::int64_t>::min();
    const Unpacked u = Unpack(value.Bits());
    if (u.kind == Kind::Zero) return 0;
    if (u.kind != Kind::Finite) return IntegerIndefinite;
    if (u.exponent < -1) return 0; // below one half
    if (u.exponent > 63) return IntegerIndefinite;
    uint64_t whole = 0;
    if (u.exponent == 63) {
        whole = u.significand;
    } else {
        const int fractionBits = 63 - u.exponent; // 1..64
        whole = fractionBits < 64 ? u.significand >> fractionBits : 0;
        const bool half = ((u.significand >> (fractionBits - 1)) & 1) != 0;
        const bool belowHalf = fractionBits > 1 && (u.significand << (65 - fractionBits)) != 0;
        if (half && (belowHalf || (whole & 1) != 0)) ++whole;
    }
    // Within 64 bits: up to 2^63 - 1, and -2^63 for a negative value.
    if (whole > (u.negative ? IntegerBit : IntegerBit - 1)) return IntegerIndefinite;
    return u.negative ? static_cast<std::int64_t>(uint64_t{0} - whole)
                      : static_cast<std::int64_t>(whole);
}
