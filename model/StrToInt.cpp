#include "StrToInt.h"

#include "Errors.h"

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Hexadecimal digits to the end of the text, as a 32-bit pattern. The value is checked after
// every digit, so a text of any length stays within 64 bits.
std::optional<std::uint32_t> ParseHexPattern(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t pattern = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return std::nullopt;
        pattern = pattern * 16 + static_cast<std::uint64_t>(digit);
        if (pattern > 0xFFFF'FFFFu) return std::nullopt;
    }
    return static_cast<std::uint32_t>(pattern);
}

// Decimal digits to the end of the text; the magnitude may reach 2^31 only when negative.
std::optional<std::int32_t> ParseDecimal(std::string_view digits, bool negative) {
    if (digits.empty()) return std::nullopt;
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    std::uint64_t magnitude = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
        if (magnitude > limit) return std::nullopt;
    }
    // 0 - magnitude in unsigned arithmetic, then the conversion to int32 wraps (well defined since
    // C++20): -2^31 comes out without ever forming +2^31 as a signed value.
    const auto pattern = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
    return static_cast<std::int32_t>(pattern);
}

} // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size() && text[position] == ' ')
        ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    const std::string_view rest = text.substr(position);

    std::size_t prefixLength = 0;
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X'))
        prefixLength = 1;
    else if (rest.starts_with("0x") || rest.starts_with("0X"))
        prefixLength = 2;

    if (prefixLength == 0) return ParseDecimal(rest, negative);

    const auto pattern = ParseHexPattern(rest.substr(prefixLength));
    if (!pattern) return std::nullopt;
    // A hexadecimal text is a bit pattern: "$FFFFFFFF" is -1, and "-$80000000" wraps back to
    // the smallest value.
    const std::uint32_t signedPattern = negative ? 0u - *pattern : *pattern;
    return static_cast<std::int32_t>(signedPattern);
}

std::int32_t StrToInt(std::string_view text) {
    const auto value = TryStrToInt(text);
    if (!value) throw ConvertError(text);
    return *value;
}
