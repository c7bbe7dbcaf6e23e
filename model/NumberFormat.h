#pragma once
// The only two ways numbers are shown to the user.
#include "Extended.h"

#include <cstdint>
#include <string>
#include <string_view>

// `value` with `digits` significant digits (clamped to 2..18): a tie at the last digit goes up in
// magnitude, judged on the 18-digit expansion of the value actually held; trailing zeros and a
// bare separator dropped; scientific form ("3,2E4") below 0.0001 or from 10^digits up. Extended is
// long double on x86, so doubles and long doubles are passed as before.
std::string GeneralFloatFormat(Extended value, int digits, std::string_view decimalSeparator);

// Plain decimal digits, a leading "-" for negative values, no grouping.
std::string IntegerText(std::int64_t value);
