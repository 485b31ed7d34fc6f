// Pressure counts to kilopascals, and rounding to a step.
#pragma once

#include <cstdint>

namespace porvel {

// 13108 counts are 103.4 kPa; the product is formed in extended precision.
double PressureToKPa(std::uint16_t counts);

// The multiple of `step` that truncating x / step + 0.5 toward zero gives. For negative x the
// truncation lifts the result (with step 0.01 every x above -0.015 gives 0). NaN stays NaN.
double RoundToStep(double x, double step);

}  // namespace porvel
