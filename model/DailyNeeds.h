#pragma once
// Daily needs from the ideal weight and the sex.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Rows: carbohydrates, proteins, fats (grams, integer texts), water (litres, 3 significant
// digits); columns: minimum, normal, maximum.
using DailyNeeds = std::array<std::array<std::string, 3>, 4>;

// Only sex index 0 is female; every other index (1, and -1 for none chosen) counts as male.
DailyNeeds CalcNeeds(std::int32_t idealWeightKg, int sexIndex, std::string_view decimalSeparator);
