#pragma once
// One catalogue food, the names of the food-combining categories and the rules between them.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct TProduct {
    std::string Name;
    double Ugl, Bel, Zir;  // carbohydrates, proteins, fats: grams per 100 g
    std::int32_t Category; // 1..19, an index into CategoryNames
    std::string Description;
};

extern const std::array<std::string_view, 20> CategoryNames; // [0] is ""

// 18 x 18 verdicts, row = category of the reference food, column = category of the other food.
extern const std::array<std::uint8_t, 18 * 18> CompatibilityMatrix;

enum class CompatibilityVerdict : int { Good = 0, Acceptable = 1, NotAllowed = 2 };

// Any category outside 1..18, on either side, is not allowed.
CompatibilityVerdict CalcCompatibility(std::int32_t referenceCategory, std::int32_t otherCategory);
