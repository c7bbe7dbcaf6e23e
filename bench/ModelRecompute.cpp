#include "ModelRecompute.h"

#include "BodyMetrics.h"
#include "DailyNeeds.h"
#include "NumberFormat.h"
#include "Products.h"
#include "Ration.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace {

constexpr int PerBatch = 200; // recomputations per value: one alone is below the clock's grain

// The index with its text, the ideal weight, the needs, and the totals of a ration of all 93
// foods with their texts. Returns a length of all the texts, so that nothing can be left out.
std::size_t RecomputeOnce(std::int32_t height, const std::vector<RationRow>& ration) {
    const BmiResult bmi = CalcBmi(height, 80, 33);
    std::size_t length =
        GeneralFloatFormat(bmi.index, 3, ",").size() + BmiClassTexts(bmi.bmiClass).suffix.size();
    const std::int32_t ideal = CalcIdealWeight(height);
    for (const auto& row : CalcNeeds(ideal, 1, ","))
        for (const std::string& text : row)
            length += text.size();
    const RationTotals totals = CalcRationTotals(ration);
    for (const double total : {totals.ugl, totals.bel, totals.zir})
        length += GeneralFloatFormat(total, 4, ",").size();
    return length;
}

} // namespace

std::vector<double> ModelRecomputations(int batches) {
    std::vector<RationRow> ration;
    for (std::size_t food = 0; food < Catalogue().size(); ++food)
        ration.push_back({static_cast<std::int32_t>(food), std::to_string(50 + 7 * food)});
    std::vector<double> times;
    volatile std::size_t sink = 0;
    for (int batch = 0; batch < batches; ++batch) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < PerBatch; ++i)
            sink = sink + RecomputeOnce(150 + (batch + i) % 50, ration);
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        times.push_back(elapsed.count() / PerBatch);
    }
    return times;
}
