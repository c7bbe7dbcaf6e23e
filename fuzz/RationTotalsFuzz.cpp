// CalcRationTotals over arbitrary rows: the totals equal a plain recomputation, or the conversion
// error names the quantity text of the first row, in table order, that is neither blank nor a
// whole number. Input: rows of [catalogue byte][length byte][that many text bytes]; the catalogue
// index is the byte modulo 93, and a short last row takes what is left.
#include "Errors.h"
#include "FuzzCheck.h"
#include "Products.h"
#include "Ration.h"
#include "ReferenceStrToInt.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<RationRow> ReadRows(const std::uint8_t* data, std::size_t size) {
    std::vector<RationRow> rows;
    std::size_t at = 0;
    while (at < size) {
        const auto index = static_cast<std::int32_t>(data[at++] % Catalogue().size());
        const std::size_t length = at < size ? data[at++] : 0;
        const std::size_t taken = std::min(length, size - at);
        rows.push_back({index, std::string(reinterpret_cast<const char*>(data + at), taken)});
        at += taken;
    }
    return rows;
}

bool Blank(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) > 32) return false;
    return true;
}

struct Recomputed {
    RationTotals totals{0, 0, 0};
    std::optional<std::string> failingText;
};

// Each term (q x grams per 100 g) / 100 in extended precision, the sum back to a double after
// every addition.
Recomputed Recompute(const std::vector<RationRow>& rows) {
    Recomputed result;
    double* sums[3] = {&result.totals.ugl, &result.totals.bel, &result.totals.zir};
    for (const RationRow& row : rows) {
        std::int32_t quantity = 0;
        if (!Blank(row.quantityText)) {
            const auto converted = reference::StrToInt(row.quantityText);
            if (!converted) {
                result.failingText = row.quantityText;
                return result;
            }
            quantity = *converted;
        }
        const TProduct& food = Catalogue()[static_cast<std::size_t>(row.catalogueIndex)];
        const double values[3] = {food.Ugl, food.Bel, food.Zir};
        for (int i = 0; i < 3; ++i) {
            const long double term = static_cast<long double>(quantity) * values[i] / 100.0L;
            *sums[i] = static_cast<double>(*sums[i] + term);
        }
    }
    return result;
}

std::string Describe(const std::vector<RationRow>& rows) {
    std::string text = std::to_string(rows.size()) + " rows:";
    for (const RationRow& row : rows)
        text +=
            " [" + std::to_string(row.catalogueIndex) + " \"" + Printable(row.quantityText) + "\"]";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<RationRow> rows = ReadRows(data, size);
    const Recomputed expected = Recompute(rows);
    try {
        const RationTotals totals = CalcRationTotals(rows);
        FUZZ_CHECK(!expected.failingText, Describe(rows) + ": no error, expected one for \"" +
                                              Printable(expected.failingText.value_or("")) + "\"");
        FUZZ_CHECK(totals.ugl == expected.totals.ugl && totals.bel == expected.totals.bel &&
                       totals.zir == expected.totals.zir,
                   Describe(rows) + ": totals differ from the recomputation");
    } catch (const ConvertError& error) {
        FUZZ_CHECK(expected.failingText,
                   Describe(rows) + ": unexpected error " + Printable(error.what()));
        FUZZ_CHECK(error.text == *expected.failingText &&
                       error.what() == reference::ConvertErrorMessage(*expected.failingText),
                   Describe(rows) + ": error " + Printable(error.what()) + ", expected it for \"" +
                       Printable(*expected.failingText) + "\"");
    }
    return 0;
}
