#pragma once
// The whole-number conversion used by the spin boxes and the ration quantities: leading blanks,
// one optional sign, then decimal digits to the end of the text, within the 32-bit range; or
// hexadecimal digits after "$", "x" or "0x" (either case), read as a 32-bit pattern.
#include <cstdint>
#include <optional>
#include <string_view>

std::optional<std::int32_t> TryStrToInt(std::string_view text);
std::int32_t StrToInt(std::string_view text); // throws ConvertError
