// SoftExtended against the x87 on any two 80-bit values. Input: 1 byte choosing the operation,
// then two patterns of 10 bytes each (significand, then sign and exponent, as the x87 stores
// them); missing bytes are zeros. The integer bit is set from the exponent field, as in every
// value an operation gives: the x87's rules for the other encodings are not followed.
#include "Extended.h"
#include "FuzzCheck.h"
#include "SoftExtended.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

ExtendedBits ReadPattern(const unsigned char* bytes) {
    ExtendedBits bits{};
    std::memcpy(&bits.significand, bytes, 8);
    std::memcpy(&bits.signAndExponent, bytes + 8, 2);
    constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;
    if ((bits.signAndExponent & 0x7FFF) == 0)
        bits.significand &= ~IntegerBit;
    else
        bits.significand |= IntegerBit;
    return bits;
}

std::string Hex(std::uint64_t high, std::uint64_t low) {
    char text[48];
    std::snprintf(text, sizeof text, "%04llX:%016llX", static_cast<unsigned long long>(high),
                  static_cast<unsigned long long>(low));
    return text;
}

std::string Hex(ExtendedBits bits) {
    return Hex(bits.signAndExponent, bits.significand);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unsigned char input[21] = {};
    std::memcpy(input, data, std::min(size, sizeof input));
    const ExtendedBits a = ReadPattern(input + 1), b = ReadPattern(input + 11);
    const SoftExtended x = SoftExtended::FromBits(a), y = SoftExtended::FromBits(b);
    const long double p = LongDoubleFromBits(a), q = LongDoubleFromBits(b);
    const std::string operands = Hex(a) + " and " + Hex(b);

    const auto same = [&](const char* what, SoftExtended soft, long double x87) {
        FUZZ_CHECK(soft.Bits() == BitsOf(x87), std::string(what) + " of " + operands + ": " +
                                                   Hex(soft.Bits()) + ", the x87 " +
                                                   Hex(BitsOf(x87)));
    };
    switch (input[0] % 8) {
    case 0:
        same("sum", x + y, p + q);
        break;
    case 1:
        same("difference", x - y, p - q);
        break;
    case 2:
        same("product", x * y, p * q);
        break;
    case 3:
        same("quotient", x / y, p / q);
        break;
    case 4: {
        const int soft = (x < y) | (x > y) << 1 | (x == y) << 2 | (x <= y) << 3 | (x >= y) << 4;
        const int x87 = (p < q) | (p > q) << 1 | (p == q) << 2 | (p <= q) << 3 | (p >= q) << 4;
        FUZZ_CHECK(soft == x87, "comparisons of " + operands);
        break;
    }
    case 5: {
        const auto soft = std::bit_cast<std::uint64_t>(static_cast<double>(x));
        const auto x87 = std::bit_cast<std::uint64_t>(static_cast<double>(p));
        FUZZ_CHECK(soft == x87,
                   "double of " + Hex(a) + ": " + Hex(0, soft) + ", the x87 " + Hex(0, x87));
        break;
    }
    case 6: {
        double value = 0;
        std::memcpy(&value, input + 1, sizeof value);
        same("double to extended", SoftExtended(value), value);
        break;
    }
    default:
        FUZZ_CHECK(NearestInteger(x) == NearestInteger(p), "nearest integer of " + Hex(a));
        break;
    }
    return 0;
}
