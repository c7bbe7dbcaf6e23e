#pragma once
// The exact decimal digits of a binary value, for showing reals.
#include <array>
#include <cstdint>

// significand x 2^binaryExponent as 0.d1d2...d18 x 10^exponent (d1 not 0): the first 18
// significant digits of the exact value, rounded to nearest, a tie to the even digit.
struct DecimalExpansion {
    std::array<char, 18> digits; // '0'..'9'
    int exponent;
};

DecimalExpansion ExpandExactly(std::uint64_t significand, int binaryExponent); // significand > 0

// The same with the digits scaled first in a window of `windowLimbs` x 9 digits (at least 1): a
// narrow one makes the exact pass run often, for the tests.
DecimalExpansion ExpandExactly(std::uint64_t significand, int binaryExponent, int windowLimbs);
