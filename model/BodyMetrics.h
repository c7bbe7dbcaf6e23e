#pragma once
// Body-mass index with its class, and the ideal weight by the Lorentz formula.
#include <cstdint>
#include <string_view>

struct BmiResult {
    double index;
    int bmiClass; // 1..8
};

// Index W / (H/100)^2 in extended precision, rounded once to a double; the class for the age band
// (over 25 or not). Throws FloatError for a height of 0.
BmiResult CalcBmi(std::int32_t heightCm, std::int32_t weightKg, std::int32_t ageYears);

// (H - 100) - (H - 150) / 2, rounded to the nearest integer, ties to even.
std::int32_t CalcIdealWeight(std::int32_t heightCm);

struct BmiClassText {
    std::string_view suffix, risk, advice;
};
const BmiClassText& BmiClassTexts(int bmiClass); // 1..8
