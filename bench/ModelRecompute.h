#pragma once
// The model alone: everything it computes for the main window at once, as milliseconds per
// recomputation, one value per batch.
#include <vector>

std::vector<double> ModelRecomputations(int batches);
