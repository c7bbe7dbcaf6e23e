#include "BodyMetrics.h"

#include "Errors.h"
#include "Extended.h"

#include <array>
#include <stdexcept>
#include <string>

// The index is computed in extended precision so that 160 cm and 48 kg give exactly 18.75 (and
// show 18,8); in doubles 1.6 is inexact and the index would show 18,7.

namespace {

using Boundaries = std::array<Extended, 7>;

// Upper boundaries of classes 1..7 in tenths; a boundary itself belongs to the lower class. Each
// inexact decimal is the extended value nearest to it, which the double index is compared with.
Boundaries InTenths(const std::array<std::int32_t, 7>& tenths) {
    Boundaries boundaries;
    for (std::size_t i = 0; i < tenths.size(); ++i)
        boundaries[i] = Ratio(tenths[i], 10);
    return boundaries;
}
const Boundaries UpTo25 = InTenths({175, 195, 229, 274, 299, 349, 399});
const Boundaries Over25 = InTenths({175, 200, 259, 279, 309, 359, 409});

int BmiClassOf(double index, std::int32_t ageYears) {
    const Boundaries& boundaries = ageYears > 25 ? Over25 : UpTo25;
    const Extended wide = index;
    int bmiClass = 1;
    for (const Extended& boundary : boundaries) {
        if (wide <= boundary) break;
        ++bmiClass;
    }
    return bmiClass;
}

const std::array<BmiClassText, 8> ClassTexts = {{
    {" - Анорексия", "Риск для здоровья очень высокий",
     "Рекомендуется обращение к психотерапевту и повышение массы тела"},
    {" - Дефицит", "Риск для здоровья невысокий", "Рекомендуется небольшое повышение массы тела"},
    {" - Норма", "Риск для здоровья отсутствует",
     "Необходимость в корректировке массы тела отсутствует"},
    {" - Избыток", "Риск для здоровья средний", "Необходимо снижение массы тела"},
    {" - Ожирение 1 ст.", "Риск для здоровья средний", "Необходимо снижение массы тела"},
    {" - Ожирение 2 ст.", "Риск для здоровья высокий", "Необходимо снижение массы тела"},
    {" - Ожирение 3 ст.", "Риск для здоровья очень высокий",
     "Крайне необходимо снижение массы тела"},
    {" - Ожирение 4 ст.", "Риск для здоровья смертельный",
     "Рекомендуется обращение к диетологу и снижение массы тела"},
}};

} // namespace

BmiResult CalcBmi(std::int32_t heightCm, std::int32_t weightKg, std::int32_t ageYears) {
    // Checked before dividing, so the failure does not depend on the floating-point exception
    // masks: x / 0 is a division by zero, 0 / 0 an invalid operation.
    if (heightCm == 0)
        throw FloatError(weightKg == 0 ? "Invalid floating point operation"
                                       : "Floating point division by zero");

    // Each step is rounded to the 64-bit significand; only the quotient goes to a double.
    const Extended height = Extended(heightCm) / Extended(100);
    const Extended heightSquared = height * height;
    const Extended quotient = Extended(weightKg) / heightSquared;
    const double index = static_cast<double>(quotient);
    return {index, BmiClassOf(index, ageYears)};
}

std::int32_t CalcIdealWeight(std::int32_t heightCm) {
    // The differences are formed in 64 bits, so every 32-bit height gives the exact Lorentz value
    // H/2 - 25 (a multiple of 0.5, exact in extended precision) instead of a wrapped difference.
    // Rounded to the even neighbour it lies within -2^30 - 25 .. 2^30 - 26 and fits in 32 bits.
    const std::int64_t above100 = std::int64_t{heightCm} - 100;
    const std::int64_t above150 = std::int64_t{heightCm} - 150;
    const Extended ideal = Extended(above100) - Extended(above150) / Extended(2);
    return static_cast<std::int32_t>(NearestInteger(ideal));
}

const BmiClassText& BmiClassTexts(int bmiClass) {
    if (bmiClass < 1 || bmiClass > static_cast<int>(ClassTexts.size()))
        throw std::out_of_range("BMI class " + std::to_string(bmiClass) + " is not 1..8");
    return ClassTexts[static_cast<std::size_t>(bmiClass - 1)];
}
