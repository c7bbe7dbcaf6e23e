// GeneralFloatFormat over raw 80-bit patterns and any precision, against the exact GMP oracle of
// the model tests. Input: 10 bytes of the pattern (significand, then sign and exponent, as the
// x87 stores them), 4 bytes of the precision, then up to 4 bytes of the decimal separator ("," when
// there are none); missing bytes are zeros.
//
// Patterns the x87 refuses as operands (an integer bit of 0 under a non-zero exponent field:
// unnormals, pseudo-infinities, pseudo-NaNs) must show as "NAN", like a NaN. A pseudo-denormal
// (exponent field 0, integer bit 1) is read by the x87 as the same value with an exponent field
// of 1 and must show as that value.
#include "FuzzCheck.h"
#include "GmpOracle.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

struct Pattern {
    std::uint64_t significand = 0; // bit 63 is the explicit integer bit
    std::uint16_t signAndExponent = 0;

    bool negative() const { return (signAndExponent & 0x8000u) != 0; }
    unsigned exponentField() const { return signAndExponent & 0x7FFFu; }
    bool integerBit() const { return (significand >> 63) != 0; }

    Extended value() const { return ExtendedFromBits({signAndExponent, significand}); }
};

std::string Describe(const Pattern& pattern, int digits) {
    char text[96];
    std::snprintf(text, sizeof text, "pattern %04X:%016llX, precision %d",
                  unsigned(pattern.signAndExponent),
                  static_cast<unsigned long long>(pattern.significand), digits);
    return text;
}

std::string Expected(const Pattern& pattern, int digits, std::string_view separator) {
    const unsigned exponent = pattern.exponentField();
    if (exponent == 0x7FFF) {
        if (!pattern.integerBit()) return "NAN"; // pseudo-infinity or pseudo-NaN
        if ((pattern.significand << 1) != 0) return "NAN";
        return pattern.negative() ? "-INF" : "INF";
    }
    if (exponent != 0) {
        if (!pattern.integerBit()) return "NAN"; // unnormal
        return OracleText(pattern.value(), digits, separator);
    }
    // Exponent field 0: significand x 2^-16445 whatever the integer bit, so a pseudo-denormal
    // is the normal value with field 1 and a true denormal shows as 0.
    if (!pattern.integerBit()) return "0";
    return OracleText(ExtendedFromBits({static_cast<std::uint16_t>(pattern.signAndExponent | 1),
                                        pattern.significand}),
                      digits, separator);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unsigned char input[18] = {};
    std::memcpy(input, data, std::min(size, sizeof input));

    Pattern pattern;
    std::memcpy(&pattern.significand, input, 8);
    std::memcpy(&pattern.signAndExponent, input + 8, 2);
    std::int32_t digits = 0;
    std::memcpy(&digits, input + 10, 4);
    std::string separator(reinterpret_cast<const char*>(input + 14),
                          size > 14 ? std::min<std::size_t>(size - 14, 4) : 0);
    if (separator.empty()) separator = ",";

    const std::string actual = GeneralFloatFormat(pattern.value(), digits, separator);
    const std::string expected = Expected(pattern, digits, separator);
    FUZZ_CHECK(actual == expected, Describe(pattern, digits) + ", separator \"" +
                                       Printable(separator) + "\": got \"" + Printable(actual) +
                                       "\", expected \"" + Printable(expected) + "\"");
    return 0;
}
