#pragma once
// The exact oracle of the number display: the value held is expanded with GMP integer arithmetic,
// rounded to 18 digits (to nearest, a tie to even), then rounded half away from zero to the
// precision and laid out by the independent code of ExactDecimal.h. Shared by the oracle test and
// the number-format fuzz target; it shares no code with model/NumberFormat.cpp.
#include "ExactDecimal.h"
#include "Extended.h"

#include <gmp.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace gmp_oracle {

class Integer {
public:
    Integer() { mpz_init(value); }
    explicit Integer(unsigned long initial) { mpz_init_set_ui(value, initial); }
    ~Integer() { mpz_clear(value); }
    Integer(const Integer&) = delete;
    Integer& operator=(const Integer&) = delete;
    operator mpz_ptr() { return value; }

private:
    mpz_t value;
};

// Multiplies `target` by 10^power.
inline void TimesPowerOfTen(Integer& target, int power) {
    Integer scale;
    mpz_ui_pow_ui(scale, 10, static_cast<unsigned long>(power));
    mpz_mul(target, target, scale);
}

// The sign of numerator / denominator - 10^power.
inline int CompareWithPowerOfTen(Integer& numerator, Integer& denominator, int power) {
    Integer left, right;
    mpz_set(left, numerator);
    mpz_set(right, denominator);
    if (power >= 0)
        TimesPowerOfTen(right, power);
    else
        TimesPowerOfTen(left, -power);
    return mpz_cmp(left, right);
}

} // namespace gmp_oracle

// The 18 significant digits of significand x 2^binaryExponent (significand > 0), exactly.
inline DecimalDigits ExactExpansion(bool negative, std::uint64_t significand, int binaryExponent) {
    using gmp_oracle::Integer;
    Integer numerator, denominator(1);
    mpz_import(numerator, 1, 1, sizeof significand, 0, 0, &significand);
    if (binaryExponent >= 0)
        mpz_mul_2exp(numerator, numerator, static_cast<mp_bitcnt_t>(binaryExponent));
    else
        mpz_mul_2exp(denominator, denominator, static_cast<mp_bitcnt_t>(-binaryExponent));

    // 10^k <= magnitude < 10^(k+1); the logarithm only gives the first guess.
    const int bits = binaryExponent + 64 - std::countl_zero(significand);
    int k = static_cast<int>(std::floor((bits - 1) * 0.30102999566398120));
    while (gmp_oracle::CompareWithPowerOfTen(numerator, denominator, k) < 0)
        --k;
    while (gmp_oracle::CompareWithPowerOfTen(numerator, denominator, k + 1) >= 0)
        ++k;

    // magnitude x 10^(17-k) lies in [10^17, 10^18): round it to a whole number.
    if (17 - k >= 0)
        gmp_oracle::TimesPowerOfTen(numerator, 17 - k);
    else
        gmp_oracle::TimesPowerOfTen(denominator, k - 17);
    Integer quotient, remainder;
    mpz_tdiv_qr(quotient, remainder, numerator, denominator);
    mpz_mul_2exp(remainder, remainder, 1);
    const int half = mpz_cmp(remainder, denominator);
    if (half > 0 || (half == 0 && mpz_odd_p(static_cast<mpz_ptr>(quotient))))
        mpz_add_ui(quotient, quotient, 1);

    char digits[32];
    mpz_get_str(digits, 10, quotient);
    DecimalDigits expansion{negative, digits, k + 1};
    if (expansion.digits.size() == 19) { // rounded up to 10^18
        expansion.digits.resize(18);
        ++expansion.exponent;
    }
    return expansion;
}

// What GeneralFloatFormat must show for a valid 80-bit pattern (the integer bit set exactly when
// the exponent field is not 0): NAN, INF, 0 below the smallest normal, and otherwise the exact
// digits rounded at the precision (clamped to 2..18).
inline std::string OracleText(Extended value, int digits, std::string_view separator) {
    const int precision = digits < 2 ? 2 : digits > 18 ? 18 : digits;
    const ExtendedBits bits = BitsOf(value);
    const bool negative = (bits.signAndExponent & 0x8000) != 0;
    const int field = bits.signAndExponent & 0x7FFF;
    if (field == 0x7FFF) return (bits.significand << 1) != 0 ? "NAN" : negative ? "-INF" : "INF";
    if (field == 0) return "0";
    return LayOut(
        RoundHalfAway(ExactExpansion(negative, bits.significand, field - 16383 - 63), precision),
        precision, separator);
}
