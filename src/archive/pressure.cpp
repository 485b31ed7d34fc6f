#include "pressure.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "wire/record_layout.h"

namespace porvel {
namespace {
constexpr long double kPerCount = 1.0L / record::kSensorScaleCounts;
}  // namespace

double PressureToKPa(std::uint16_t counts) {
    const long double scaled = static_cast<long double>(counts) * record::kSensorScaleKPa;
    return static_cast<double>(scaled * kPerCount);
}

double RoundToStep(double x, double step) {
    const double q = x / step + 0.5;
    if (std::isnan(q)) return q;
    // The whole number is a signed 32-bit value; beyond its range it saturates.
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    const double whole = q <= kMin ? kMin : q >= kMax ? kMax : std::trunc(q);
    return static_cast<std::int32_t>(whole) * step;
}

}  // namespace porvel
