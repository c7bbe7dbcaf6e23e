#include "DailyNeeds.h"

#include "Extended.h"
#include "NumberFormat.h"

namespace {

// The coefficients are the extended values nearest to their decimals: with doubles, 50 kg would
// give 57.49999999999999 g of proteins instead of the tie 57.5 that goes to 58.
const Extended CarbohydratesNormal = Ratio(46, 10);
const Extended ProteinsMinimum = Ratio(6, 10);
const Extended ProteinsNormal = Ratio(115, 100);
const Extended ProteinsMaximum = Ratio(17, 10);
const Extended FatsMinimum = Ratio(1, 2);
const Extended FatsNormal = Ratio(138, 100);
const Extended FatsMaximum = Ratio(26, 10);
const Extended MaleFats = Ratio(85, 100);
const Extended WaterMinimum = Ratio(3, 100);
const Extended WaterNormal = Ratio(4, 100);
const Extended WaterMaximum = Ratio(6, 100);

// A gram figure: the extended product rounded once to the nearest whole number, ties to even.
// Every int32 weight times these coefficients fits in 64 bits.
std::string Grams(Extended product) {
    return IntegerText(NearestInteger(product));
}

// 2 w and 6 w in 64 bits: exact for every 32-bit weight.
std::string WholeMultiple(std::int32_t weight, std::int64_t factor) {
    return IntegerText(std::int64_t{weight} * factor);
}

} // namespace

DailyNeeds CalcNeeds(std::int32_t idealWeightKg, int sexIndex, std::string_view decimalSeparator) {
    const Extended w = idealWeightKg;
    const bool female = sexIndex == 0;

    // The male fat figures are two successive products, rounded once at the end; folding 0.85
    // into a single coefficient would round differently.
    const Extended fatsNormal = female ? w * FatsNormal : (w * FatsNormal) * MaleFats;
    const Extended fatsMaximum = female ? w * FatsMaximum : (w * FatsMaximum) * MaleFats;

    const auto litres = [&](Extended value) {
        return GeneralFloatFormat(value, 3, decimalSeparator);
    };

    return {{
        {WholeMultiple(idealWeightKg, 2), Grams(w * CarbohydratesNormal),
         WholeMultiple(idealWeightKg, 6)},
        {Grams(w * ProteinsMinimum), Grams(w * ProteinsNormal), Grams(w * ProteinsMaximum)},
        {Grams(w * FatsMinimum), Grams(fatsNormal), Grams(fatsMaximum)},
        {litres(w * WaterMinimum), litres(w * WaterNormal), litres(w * WaterMaximum)},
    }};
}
