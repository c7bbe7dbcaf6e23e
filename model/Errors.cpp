#include "Errors.h"

ConvertError::ConvertError(std::string_view text)
    : std::runtime_error("''" + std::string(text) + "'' is not a valid integer value")
    , text(text) {
}
