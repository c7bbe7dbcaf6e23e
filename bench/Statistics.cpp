#include "Statistics.h"

#include <algorithm>
#include <cmath>

namespace {
// Nearest-rank percentile of sorted values.
double Percentile(const std::vector<double>& sorted, double percent) {
    const auto rank = std::size_t(std::ceil(percent / 100.0 * double(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}
} // namespace

Summary Summarise(std::vector<double> values) {
    Summary summary;
    if (values.empty()) return summary;
    std::sort(values.begin(), values.end());
    summary.count = int(values.size());
    summary.min = values.front();
    summary.max = values.back();
    const std::size_t middle = values.size() / 2;
    summary.median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    summary.p99 = Percentile(values, 99);
    return summary;
}
