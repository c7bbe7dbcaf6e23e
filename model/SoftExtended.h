#pragma once
// The x87's 80-bit extended real computed with integers, for processors whose long double is
// another format (arm64 and ppc64el have 128-bit ones, armhf a plain double): a 64-bit significand
// with an explicit integer bit, a 15-bit exponent, subnormals, and every operation rounded to
// nearest with ties to even, exactly as the x87 rounds in its default mode. Values keep the x87's
// bit pattern, so both give the same bits and the model shows the same digits everywhere.
#include <cstdint>

// The 80 bits as the x87 stores them: sign and biased exponent, then the significand whose top
// bit is the integer bit.
struct ExtendedBits {
    std::uint16_t signAndExponent;
    std::uint64_t significand;
    friend bool operator==(const ExtendedBits&, const ExtendedBits&) = default;
};

class SoftExtended {
public:
    SoftExtended() = default; // +0
    // Integers and doubles convert exactly, as they do into the x87.
    SoftExtended(std::int32_t value);
    SoftExtended(std::int64_t value);
    SoftExtended(double value);

    static SoftExtended FromBits(ExtendedBits bits);
    ExtendedBits Bits() const { return bits_; }

    // Rounded to the nearest double, ties to even, with the double's subnormals and overflow.
    explicit operator double() const;

    friend SoftExtended operator+(SoftExtended a, SoftExtended b);
    friend SoftExtended operator-(SoftExtended a, SoftExtended b);
    friend SoftExtended operator*(SoftExtended a, SoftExtended b);
    friend SoftExtended operator/(SoftExtended a, SoftExtended b);
    friend SoftExtended operator-(SoftExtended a);
    // NaNs are unordered (every comparison with one is false but !=), and +0 equals -0.
    friend bool operator==(SoftExtended a, SoftExtended b) { return Order(a, b) == Equal; }
    friend bool operator<(SoftExtended a, SoftExtended b) { return Order(a, b) == Less; }
    friend bool operator>(SoftExtended a, SoftExtended b) { return Order(a, b) == Greater; }
    friend bool operator<=(SoftExtended a, SoftExtended b) { return a < b || a == b; }
    friend bool operator>=(SoftExtended a, SoftExtended b) { return a > b || a == b; }

private:
    enum Ordering { Less, Equal, Greater, Unordered };
    static Ordering Order(SoftExtended a, SoftExtended b);

    ExtendedBits bits_{0, 0};
};

// The nearest integer, a tie going to the even one; outside the 64-bit range, and for NaNs and
// infinities, the x87's "integer indefinite" INT64_MIN.
std::int64_t NearestInteger(SoftExtended value);
