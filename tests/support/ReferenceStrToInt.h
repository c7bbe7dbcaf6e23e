#pragma once
// A second, deliberately plain reading of the whole-number rules, for the fuzz targets to compare
// the model with: blanks (code 32 only) are skipped, one "+" or "-" may follow, then either
// decimal digits to the end within -2147483648..2147483647, or "$", "x", "X", "0x" or "0X" and
// hexadecimal digits to the end read as a 32-bit pattern (negated with wrap-around after "-").
// Magnitudes are compared as digit strings, so no arithmetic can overflow.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace reference {

inline bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool IsHexDigit(char c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

inline std::string_view WithoutLeadingZeros(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    return digits;
}

// `digits` (no leading zeros) against `limit`, both as decimal or hexadecimal numerals.
inline bool AtMost(std::string_view digits, std::string_view limit) {
    if (digits.size() != limit.size()) return digits.size() < limit.size();
    std::string upper(digits);
    for (char& c : upper)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return upper <= limit;
}

inline std::uint32_t DigitsValue(std::string_view digits, unsigned base) {
    std::uint32_t value = 0;
    for (const char c : digits) {
        const unsigned digit = IsDecimalDigit(c)        ? unsigned(c - '0')
                               : (c >= 'a' && c <= 'f') ? unsigned(c - 'a' + 10)
                                                        : unsigned(c - 'A' + 10);
        value = value * base + digit;
    }
    return value;
}

inline std::optional<std::int32_t> StrToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string_view rest = text.substr(i);

    bool hex = false;
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        hex = true;
        rest.remove_prefix(2);
    } else if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
        hex = true;
        rest.remove_prefix(1);
    }
    if (rest.empty()) return std::nullopt;
    for (const char c : rest)
        if (hex ? !IsHexDigit(c) : !IsDecimalDigit(c)) return std::nullopt;

    const std::string_view digits = WithoutLeadingZeros(rest);
    if (hex) {
        if (!AtMost(digits, "FFFFFFFF")) return std::nullopt;
        const std::uint32_t pattern = DigitsValue(digits, 16);
        return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    }
    if (!AtMost(digits, negative ? "2147483648" : "2147483647")) return std::nullopt;
    const std::uint32_t magnitude = DigitsValue(digits, 10);
    return static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
}

// The message of the conversion error for `text`, every NUL shown as U+2400 (what() is a C
// string and would end at a NUL).
inline std::string ConvertErrorMessage(std::string_view text) {
    std::string message = "''";
    for (const char c : text)
        message += c == '\0' ? std::string("\xE2\x90\x80") : std::string(1, c);
    return message + "'' is not a valid integer value";
}

} // namespace reference
