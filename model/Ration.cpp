#include "Ration.h"

#include "Extended.h"
#include "Products.h"
#include "StrToInt.h"

#include <stdexcept>
#include <string_view>

namespace {

// Blank means nothing but characters of code 32 or below (spaces, tabs, line breaks); such a
// quantity counts as 0. UTF-8 bytes above 127 are not blanks, hence the unsigned comparison.
bool IsBlank(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > 32) return false;
    }
    return true;
}

// The term (q x value) / 100 and the sum are formed in extended precision; the sum goes back to
// a double after every addition, so the totals depend on the order of the rows.
double AddTerm(double sum, std::int32_t quantity, double valuePer100g) {
    const Extended term = (Extended(quantity) * Extended(valuePer100g)) / Extended(100);
    return static_cast<double>(Extended(sum) + term);
}

} // namespace

RationTotals CalcRationTotals(std::span<const RationRow> rows) {
    const std::span<const TProduct> catalogue = Catalogue();
    RationTotals totals{0.0, 0.0, 0.0};
    for (const RationRow& row : rows) {
        if (row.catalogueIndex < 0 ||
            static_cast<std::size_t>(row.catalogueIndex) >= catalogue.size())
            throw std::out_of_range("catalogue index " + std::to_string(row.catalogueIndex) +
                                    " is outside the catalogue");
        // The untrimmed text is converted, so the error names exactly what the user sees.
        const std::int32_t quantity = IsBlank(row.quantityText) ? 0 : StrToInt(row.quantityText);
        const TProduct& food = catalogue[static_cast<std::size_t>(row.catalogueIndex)];
        totals.ugl = AddTerm(totals.ugl, quantity, food.Ugl);
        totals.bel = AddTerm(totals.bel, quantity, food.Bel);
        totals.zir = AddTerm(totals.zir, quantity, food.Zir);
    }
    return totals;
}
