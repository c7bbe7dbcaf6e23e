#pragma once
// Median, minimum, maximum and 99th percentile of a series of measurements.
#include <QString>
#include <vector>

struct Summary {
    double median = 0, min = 0, max = 0, p99 = 0;
    int count = 0;
};

Summary Summarise(std::vector<double> values);
