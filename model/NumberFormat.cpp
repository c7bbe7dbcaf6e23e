#include "NumberFormat.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64, "the x87 80-bit format is required");

namespace {

constexpr int ExpansionDigits = 18;

// The magnitude as 0.d1d2...d18 x 10^exponent, the 18 digits rounded to nearest from the exact
// value held. glibc's printf expands long doubles exactly, so "%.17Le" gives precisely these
// digits; only the digits and the exponent are read, so the locale's radix character does not
// matter.
struct Expansion {
    char digits[ExpansionDigits];
    int exponent;
};

Expansion ExpandMagnitude(long double magnitude) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17Le", magnitude);

    Expansion expansion{};
    int count = 0;
    const char* p = text;
    for (; *p != '\0' && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && count < ExpansionDigits) expansion.digits[count++] = *p;
    }
    int scientificExponent = 0; // d1.d2... x 10^scientificExponent
    if (*p == 'e') {
        ++p;
        if (*p == '+') ++p;
        std::from_chars(p, text + sizeof text, scientificExponent);
    }
    expansion.exponent = scientificExponent + 1;
    return expansion;
}

// The digits kept at `precision` with the exponent that goes with them; no trailing zeros.
struct ShownDigits {
    std::string digits;
    int exponent;
};

// Rounds half away from zero at the last shown digit, judged on the 18 digits: a value whose
// 18-digit expansion is a tie goes up even when the value held lies just below it. With 18
// digits shown there is nothing left to round.
ShownDigits RoundToPrecision(const Expansion& expansion, int precision) {
    ShownDigits shown{std::string(expansion.digits, expansion.digits + precision),
                      expansion.exponent};
    if (precision < ExpansionDigits && expansion.digits[precision] >= '5') {
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

// The 80-bit patterns that the x87 does not read at face value. Unnormals, pseudo-infinities
// and pseudo-NaNs (an integer bit of 0 under a non-zero exponent field) are invalid operands to
// it, like a NaN. A pseudo-denormal (exponent field 0, integer bit 1) is the value with an
// exponent field of 1, but glibc's printf drops its integer bit and would show a figure some
// 2^63 times too small; it is rewritten in that normal encoding.
struct X87Reading {
    bool invalid;
    long double value;
};

X87Reading ReadX87(long double value) {
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof bytes);
    std::uint64_t significand = 0;
    std::uint16_t signAndExponent = 0;
    std::memcpy(&significand, bytes, sizeof significand);
    std::memcpy(&signAndExponent, bytes + 8, sizeof signAndExponent);
    const bool integerBit = (significand >> 63) != 0;
    if ((signAndExponent & 0x7FFF) != 0) return {!integerBit, value};
    if (integerBit) {
        signAndExponent = static_cast<std::uint16_t>(signAndExponent | 1);
        std::memcpy(bytes + 8, &signAndExponent, sizeof signAndExponent);
        std::memcpy(&value, bytes, sizeof value);
    }
    return {false, value};
}

} // namespace

std::string GeneralFloatFormat(long double value, int digits, std::string_view decimalSeparator) {
    const int precision = std::clamp(digits, 2, ExpansionDigits);

    const X87Reading reading = ReadX87(value);
    if (reading.invalid) return "NAN";
    value = reading.value;
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    const long double magnitude = std::fabs(value);
    // Zero of either sign, and subnormals, show as a plain unsigned zero.
    if (magnitude < LDBL_MIN) return "0";

    const ShownDigits shown = RoundToPrecision(ExpandMagnitude(magnitude), precision);
    const std::string text = LayOut(shown, precision, decimalSeparator);
    return value < 0 ? "-" + text : text;
}

std::string IntegerText(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
