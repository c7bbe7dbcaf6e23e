#include "Product.h"

#include <algorithm>
#include <cstddef>

constinit const std::array<std::string_view, 20> CategoryNames = {
    "",
    "Мясо, рыба",
    "Зернобобовые",
    "Сливочное масло, сливки",
    "Сметана",
    "Растительное масло",
    "Торты, пирожные, сахар, мёд",
    "Хлеб, крупы, макароны, картофель",
    "Фрукты кислые",
    "Фрукты полукислые",
    "Фрукты сладкие, сухофрукты",
    "Овощи некрахмалистые",
    "Овощи крахмалистые",
    "Молоко",
    "Творог, кисло-молочные продукты",
    "Сыр, брынза",
    "Яйца",
    "Орехи",
    "Грибы",    // has a name but no food
    "Бахчевые", // outside the combining table: melons are eaten on their own
};

namespace {
// Categories that have a row and a column in the combining table.
constexpr std::int32_t FirstRuledCategory = 1;
constexpr std::int32_t LastRuledCategory = 18;
constexpr std::size_t RuledCategoryCount = 18;

constexpr bool IsRuled(std::int32_t category) {
    return category >= FirstRuledCategory && category <= LastRuledCategory;
}
} // namespace

// Verdicts: 0 good, 1 acceptable, 2 not allowed. The table is not symmetric: the row is the
// food the user is on, the column the food being judged.
// clang-format off
constexpr std::array<std::uint8_t, 18 * 18> CompatibilityMatrix = {
//  1  2  3  4  5  6  7  8  9 10 11 12 13 14 15 16 17 18   <- other
    2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 0, 1, 2, 2, 2, 2, 2, 0, //  1 Мясо, рыба
    2, 0, 1, 0, 0, 2, 1, 2, 2, 2, 0, 0, 2, 2, 2, 2, 1, 2, //  2 Зернобобовые
    2, 1, 0, 1, 2, 2, 0, 0, 1, 2, 0, 0, 1, 2, 1, 2, 2, 2, //  3 Сливочное масло, сливки
    2, 0, 1, 0, 1, 2, 0, 0, 0, 1, 0, 0, 2, 0, 1, 1, 2, 2, //  4 Сметана
    2, 0, 2, 1, 0, 2, 0, 0, 1, 1, 0, 0, 2, 2, 2, 2, 0, 2, //  5 Растительное масло
    2, 2, 2, 2, 2, 0, 2, 2, 2, 2, 0, 2, 2, 2, 2, 2, 2, 2, //  6 Торты, пирожные, сахар, мёд
    2, 1, 0, 0, 0, 1, 0, 2, 2, 2, 0, 0, 2, 2, 1, 2, 1, 2, //  7 Хлеб, крупы, макароны, картофель
    2, 2, 0, 0, 0, 2, 2, 0, 0, 1, 0, 1, 2, 1, 0, 2, 0, 2, //  8 Фрукты кислые
    2, 2, 1, 0, 1, 2, 2, 0, 0, 0, 0, 1, 1, 0, 1, 2, 0, 2, //  9 Фрукты полукислые
    2, 2, 2, 1, 1, 2, 2, 1, 0, 0, 0, 1, 1, 0, 2, 2, 1, 2, // 10 Фрукты сладкие, сухофрукты
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, // 11 Овощи некрахмалистые
    1, 0, 0, 0, 0, 2, 0, 1, 1, 1, 0, 0, 1, 0, 0, 1, 0, 1, // 12 Овощи крахмалистые
    2, 2, 1, 2, 2, 2, 2, 2, 1, 1, 2, 1, 0, 2, 2, 2, 2, 2, // 13 Молоко
    2, 2, 2, 0, 2, 2, 2, 1, 0, 0, 0, 0, 2, 0, 0, 2, 0, 2, // 14 Творог, кисло-молочные продукты
    2, 2, 1, 1, 2, 2, 1, 0, 1, 2, 0, 0, 2, 0, 0, 2, 1, 2, // 15 Сыр, брынза
    2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 0, 1, 2, 2, 2, 0, 1, 2, // 16 Яйца
    2, 1, 2, 2, 0, 2, 1, 0, 0, 1, 0, 0, 2, 0, 1, 2, 0, 2, // 17 Орехи
    2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 0, 1, 2, 2, 2, 2, 2, 2, // 18 Грибы
};
// clang-format on

// Every byte converts to a verdict, so the lookup below needs no check of its own.
static_assert(std::ranges::all_of(CompatibilityMatrix, [](std::uint8_t verdict) {
    return verdict <= static_cast<std::uint8_t>(CompatibilityVerdict::NotAllowed);
}));

CompatibilityVerdict CalcCompatibility(std::int32_t referenceCategory, std::int32_t otherCategory) {
    // Checked before any arithmetic, so no category value can overflow the index.
    if (!IsRuled(referenceCategory) || !IsRuled(otherCategory))
        return CompatibilityVerdict::NotAllowed;
    const auto row = static_cast<std::size_t>(referenceCategory - FirstRuledCategory);
    const auto column = static_cast<std::size_t>(otherCategory - FirstRuledCategory);
    return static_cast<CompatibilityVerdict>(
        CompatibilityMatrix[row * RuledCategoryCount + column]);
}
