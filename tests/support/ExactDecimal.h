#pragma once
// Test oracle shared by the number-display tests: exact decimal digits computed with integers,
// rounded half away from zero and laid out as numbers are shown. It shares no code with
// model/NumberFormat.cpp.
#include <cstdint>
#include <string>
#include <string_view>

struct DecimalDigits {
    bool negative = false;
    std::string digits; // d1 d2 ..., d1 != '0'; empty for zero
    int exponent = 0;   // the magnitude is 0.d1d2... x 10^exponent
};

// The first `count` significant digits of numerator / denominator, cut off (not rounded).
// Needs denominator > 0 and denominator * 10 within 64 bits.
inline DecimalDigits TruncatedDigits(std::int64_t numerator, std::int64_t denominator, int count) {
    DecimalDigits result;
    result.negative = numerator < 0;
    const std::uint64_t magnitude = numerator < 0 ? 0 - static_cast<std::uint64_t>(numerator)
                                                  : static_cast<std::uint64_t>(numerator);
    const auto divisor = static_cast<std::uint64_t>(denominator);
    if (magnitude == 0) return {};

    const std::uint64_t integerPart = magnitude / divisor;
    std::uint64_t remainder = magnitude % divisor;
    if (integerPart > 0) result.digits = std::to_string(integerPart);
    result.exponent = static_cast<int>(result.digits.size());
    while (static_cast<int>(result.digits.size()) < count) {
        remainder *= 10;
        const char digit = static_cast<char>('0' + remainder / divisor);
        remainder %= divisor;
        if (result.digits.empty() && digit == '0')
            --result.exponent; // a leading zero after the point
        else
            result.digits += digit;
    }
    result.digits.resize(static_cast<std::size_t>(count));
    return result;
}

// Keeps `precision` digits, adding one unit to the last when the next digit is 5 or more (half
// away from zero, judged on the digits given), then drops trailing zeros.
inline DecimalDigits RoundHalfAway(DecimalDigits value, int precision) {
    std::string& digits = value.digits;
    if (static_cast<int>(digits.size()) > precision) {
        const bool up = digits[static_cast<std::size_t>(precision)] >= '5';
        digits.resize(static_cast<std::size_t>(precision));
        if (up) {
            int carry = 1;
            for (auto i = digits.size(); i-- > 0 && carry;) {
                const int sum = digits[i] - '0' + carry;
                digits[i] = static_cast<char>('0' + sum % 10);
                carry = sum / 10;
            }
            if (carry) { // 0.99..9 + one unit = 0.100..0 x 10
                digits[0] = '1';
                ++value.exponent;
            }
        }
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return value;
}

// "27,7", "0,0001", "1E3", "9,996E-5": positional from 0.0001 up to below 10^precision,
// scientific outside; zero is "0" without a sign.
inline std::string LayOut(const DecimalDigits& value, int precision, std::string_view separator) {
    if (value.digits.empty()) return "0";
    const std::string& d = value.digits;
    const int e = value.exponent;
    std::string body;
    if (e < -3 || e > precision) {
        body = d.substr(0, 1);
        if (d.size() > 1) body += std::string(separator) + d.substr(1);
        body += "E" + std::to_string(e - 1);
    } else if (e <= 0) {
        body = "0" + std::string(separator) + std::string(static_cast<std::size_t>(-e), '0') + d;
    } else {
        std::string padded = d;
        if (static_cast<int>(padded.size()) < e) padded.resize(static_cast<std::size_t>(e), '0');
        body = padded.substr(0, static_cast<std::size_t>(e));
        if (static_cast<int>(padded.size()) > e)
            body += std::string(separator) + padded.substr(static_cast<std::size_t>(e));
    }
    return value.negative ? "-" + body : body;
}

// numerator / denominator shown with `precision` significant digits, rounded half away from zero
// on the exact value.
inline std::string ExactText(std::int64_t numerator, std::int64_t denominator, int precision,
                             std::string_view separator) {
    return LayOut(RoundHalfAway(TruncatedDigits(numerator, denominator, precision + 1), precision),
                  precision, separator);
}
