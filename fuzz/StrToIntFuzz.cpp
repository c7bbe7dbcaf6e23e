// The whole-number conversion against the plain reference of ReferenceStrToInt.h: any byte string
// converts to the same value, or fails in both; StrToInt throws exactly when TryStrToInt has no
// value, with the message that names the text unchanged.
#include "Errors.h"
#include "FuzzCheck.h"
#include "ReferenceStrToInt.h"
#include "StrToInt.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto expected = reference::StrToInt(text);
    const auto actual = TryStrToInt(text);

    FUZZ_CHECK(actual.has_value() == expected.has_value(),
               "TryStrToInt(\"" + Printable(text) + "\") " +
                   (actual ? "gave " + std::to_string(*actual) : std::string("failed")) +
                   (expected ? ", expected " + std::to_string(*expected)
                             : std::string(", expected a failure")));
    if (expected)
        FUZZ_CHECK(*actual == *expected, "TryStrToInt(\"" + Printable(text) + "\") gave " +
                                             std::to_string(*actual) + ", expected " +
                                             std::to_string(*expected));

    try {
        const std::int32_t value = StrToInt(text);
        FUZZ_CHECK(expected && value == *expected,
                   "StrToInt(\"" + Printable(text) + "\") gave " + std::to_string(value));
    } catch (const ConvertError& error) {
        FUZZ_CHECK(!expected, "StrToInt(\"" + Printable(text) + "\") threw for a valid text");
        FUZZ_CHECK(error.what() == reference::ConvertErrorMessage(text),
                   "message \"" + Printable(error.what()) + "\" for \"" + Printable(text) + "\"");
        FUZZ_CHECK(error.text == text, "ConvertError::text \"" + Printable(error.text) +
                                           "\" for \"" + Printable(text) + "\"");
    }
    return 0;
}
