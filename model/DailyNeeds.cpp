#include "DailyNeeds.h"

#include "NumberFormat.h"

#include <cmath>
#include <limits>

// The coefficients are the extended values nearest to their decimals: with doubles, 50 kg would
// give 57.49999999999999 g of proteins instead of the tie 57.5 that goes to 58.
static_assert(std::numeric_limits<long double>::digits == 64, "the x87 80-bit format is required");

namespace {

// A gram figure: the extended product rounded once to the nearest whole number, ties to even
// (the default rounding mode). Every int32 weight times these coefficients fits in 64 bits.
std::string Grams(long double product) {
    return IntegerText(static_cast<std::int64_t>(std::nearbyintl(product)));
}

// 2 w and 6 w in 64 bits: exact for every 32-bit weight.
std::string WholeMultiple(std::int32_t weight, std::int64_t factor) {
    return IntegerText(std::int64_t{weight} * factor);
}

} // namespace

DailyNeeds CalcNeeds(std::int32_t idealWeightKg, int sexIndex, std::string_view decimalSeparator) {
    const long double w = idealWeightKg;
    const bool female = sexIndex == 0;

    // The male fat figures are two successive products, rounded once at the end; folding 0.85
    // into a single coefficient would round differently.
    const long double fatsNormal = female ? w * 1.38L : (w * 1.38L) * 0.85L;
    const long double fatsMaximum = female ? w * 2.6L : (w * 2.6L) * 0.85L;

    const auto litres = [&](long double value) {
        return GeneralFloatFormat(value, 3, decimalSeparator);
    };

    return {{
        {WholeMultiple(idealWeightKg, 2), Grams(w * 4.6L), WholeMultiple(idealWeightKg, 6)},
        {Grams(w * 0.6L), Grams(w * 1.15L), Grams(w * 1.7L)},
        {Grams(w * 0.5L), Grams(fatsNormal), Grams(fatsMaximum)},
        {litres(w * 0.03L), litres(w * 0.04L), litres(w * 0.06L)},
    }};
}
