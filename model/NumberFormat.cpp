#include "NumberFormat.h"

#include "DecimalExpansion.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace {

constexpr int ExpansionDigits = 18;

// The digits kept at `precision` with the exponent that goes with them; no trailing zeros.
struct ShownDigits {
    std::string digits;
    int exponent;
};

// Rounds half away from zero at the last shown digit, judged on the 18 digits: a value whose
// 18-digit expansion is a tie goes up even when the value held lies just below it. With 18
// digits shown there is nothing left to round.
ShownDigits RoundToPrecision(const DecimalExpansion& expansion, int precision) {
    ShownDigits shown{std::string(expansion.digits.data(), static_cast<std::size_t>(precision)),
                      expansion.exponent};
    if (precision < ExpansionDigits &&
        expansion.digits[static_cast<std::size_t>(precision)] >= '5') {
        int i = precision - 1;
        while (i >= 0 && shown.digits[i] == '9')
            shown.digits[i--] = '0';
        if (i >= 0) {
            ++shown.digits[i];
        } else {
            // All nines carried out: 0.999.. x 10^E becomes 0.1 x 10^(E+1); the zeros go below.
            shown.digits[0] = '1';
            ++shown.exponent;
        }
    }
    while (shown.digits.size() > 1 && shown.digits.back() == '0')
        shown.digits.pop_back();
    return shown;
}

// Positional from 0.0001 up to below 10^precision ("27,7", "0,0001", "1000"), scientific
// outside ("1E3", "9,996E-5": no "+" and no leading zeros in the exponent).
std::string LayOut(const ShownDigits& shown, int precision, std::string_view decimalSeparator) {
    const std::string& digits = shown.digits;
    const int count = static_cast<int>(digits.size());
    const int exponent = shown.exponent;
    std::string text;
    if (exponent > precision || exponent < -3) {
        text += digits[0];
        if (count > 1) {
            text += decimalSeparator;
            text.append(digits, 1);
        }
        text += 'E';
        text += std::to_string(exponent - 1);
    } else if (exponent >= 1) {
        if (count <= exponent) {
            text += digits;
            text.append(static_cast<std::size_t>(exponent - count), '0');
        } else {
            text.append(digits, 0, static_cast<std::size_t>(exponent));
            text += decimalSeparator;
            text.append(digits, static_cast<std::size_t>(exponent));
        }
    } else {
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent), '0');
        text += digits;
    }
    return text;
}

// What the 80 bits hold, read as the x87 reads them. Unnormals, pseudo-infinities and pseudo-NaNs
// (an integer bit of 0 under a non-zero exponent field) are invalid operands to it, like a NaN. A
// pseudo-denormal (exponent field 0, integer bit 1) has the value of the same bits with an
// exponent field of 1; a true subnormal lies below the smallest normal and shows as 0.
struct Reading {
    enum Kind { Zero, Finite, Infinity, NaN } kind;
    bool negative;
    std::uint64_t significand; // Finite: the value is significand x 2^binaryExponent
    int binaryExponent;
};

Reading Read(ExtendedBits bits) {
    constexpr int Bias = 16383;
    constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;
    const bool negative = (bits.signAndExponent & 0x8000) != 0;
    const int field = bits.signAndExponent & 0x7FFF;
    const bool integerBit = (bits.significand & IntegerBit) != 0;
    if (field == 0x7FFF)
        return {integerBit && bits.significand == IntegerBit ? Reading::Infinity : Reading::NaN,
                negative, 0, 0};
    if (!integerBit) return {field == 0 ? Reading::Zero : Reading::NaN, negative, 0, 0};
    return {Reading::Finite, negative, bits.significand, std::max(field, 1) - Bias - 63};
}

} // namespace

std::string GeneralFloatFormat(Extended value, int digits, std::string_view decimalSeparator) {
    const int precision = std::clamp(digits, 2, ExpansionDigits);

    const Reading reading = Read(BitsOf(value));
    switch (reading.kind) {
    case Reading::NaN:
        return "NAN";
    case Reading::Infinity:
        return reading.negative ? "-INF" : "INF";
    case Reading::Zero: // of either sign, and subnormals: a plain unsigned zero
        return "0";
    case Reading::Finite:
        break;
    }
    const ShownDigits shown =
        RoundToPrecision(ExpandExactly(reading.significand, reading.binaryExponent), precision);
    const std::string text = LayOut(shown, precision, decimalSeparator);
    return reading.negative ? "-" + text : text;
}

std::string IntegerText(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
