#pragma once
// The built-in catalogue of 93 foods, in catalogue order; read-only once the program runs.
#include "Product.h"
#include <span>

std::span<const TProduct> Catalogue();
