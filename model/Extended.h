#pragma once
// The real type of the calculations: the x87's 80-bit extended format, every operation rounded to
// nearest with ties to even. Where long double is that format (x86) it is used as it is; on every
// other processor, or when RATSIONIK_SOFT_EXTENDED is defined, SoftExtended computes the same bits
// with integers. Both have the same helpers below, so the model is written once for either.
#include "SoftExtended.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#if LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384 && !defined(RATSIONIK_SOFT_EXTENDED)
#define RATSIONIK_NATIVE_EXTENDED 1
using Extended = long double;

inline ExtendedBits BitsOf(long double value) {
    ExtendedBits bits;
    std::memcpy(&bits.significand, &value, sizeof bits.significand);
    std::memcpy(&bits.signAndExponent, reinterpret_cast<const unsigned char*>(&value) + 8,
                sizeof bits.signAndExponent);
    return bits;
}

inline long double LongDoubleFromBits(ExtendedBits bits) {
    long double value = 0;
    std::memcpy(&value, &bits.significand, sizeof bits.significand);
    std::memcpy(reinterpret_cast<unsigned char*>(&value) + 8, &bits.signAndExponent,
                sizeof bits.signAndExponent);
    return value;
}

// The nearest integer, a tie to the even one (the default rounding mode); INT64_MIN outside 64
// bits.
inline std::int64_t NearestInteger(long double value) {
    return std::llrint(value);
}
#else
#define RATSIONIK_NATIVE_EXTENDED 0
using Extended = SoftExtended;
#endif

inline ExtendedBits BitsOf(SoftExtended value) {
    return value.Bits();
}

inline Extended ExtendedFromBits(ExtendedBits bits) {
#if RATSIONIK_NATIVE_EXTENDED
    return LongDoubleFromBits(bits);
#else
    return SoftExtended::FromBits(bits);
#endif
}

// The extended value nearest numerator / denominator: the quotient of two exact integers is
// rounded once, so Ratio(46, 10) is the same value as the literal 4.6L.
inline Extended Ratio(std::int64_t numerator, std::int64_t denominator) {
    return Extended(numerator) / Extended(denominator);
}
