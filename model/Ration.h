#pragma once
// The ration's totals of carbohydrates, proteins and fats.
#include <cstdint>
#include <span>
#include <string>

struct RationRow {
    std::int32_t catalogueIndex;
    std::string quantityText; // as typed; blank counts as 0
};

struct RationTotals {
    double ugl, bel, zir;
};

// Throws ConvertError naming the first row, in table order, whose quantity is not a whole number.
RationTotals CalcRationTotals(std::span<const RationRow> rows);
