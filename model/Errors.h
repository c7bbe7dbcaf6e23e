#pragma once
// Every failure the model raises derives from std::runtime_error; what() is the message the
// user sees, without the full stop the error box appends.
#include <stdexcept>
#include <string>
#include <string_view>

// A text that is not a whole number in the 32-bit range. A NUL in the text shows in the message
// as U+2400, the symbol for null, since what() ends at the first NUL.
struct ConvertError : std::runtime_error {
    explicit ConvertError(std::string_view text);
    std::string text; // the text that failed, as given
};

// A calculation that cannot be formed: "Floating point division by zero" or
// "Invalid floating point operation".
struct FloatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
