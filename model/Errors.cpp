#include "Errors.h"

namespace {
// what() is a C string: a NUL in the text would end the message there, and the user would see
// neither the rest of the text nor the sentence. A NUL shows as the symbol for null instead.
std::string Visible(std::string_view text) {
    std::string visible;
    visible.reserve(text.size());
    for (const char c : text) {
        if (c == '\0')
            visible += "\u2400";
        else
            visible += c;
    }
    return visible;
}
} // namespace

ConvertError::ConvertError(std::string_view text)
    : std::runtime_error("''" + Visible(text) + "'' is not a valid integer value")
    , text(text) {
}
