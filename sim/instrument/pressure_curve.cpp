#include "pressure_curve.h"

#include <algorithm>
#include <cmath>

#include "sim_constants.h"

namespace porvel::sim {
namespace {

constexpr double kTwoTo32 = 4294967296.0;
// The sum of four uniforms is close enough to normal for sensor noise: mean 2, variance 1/3.
constexpr int kUniformsPerNormal = 4;
constexpr double kUniformsMean = kUniformsPerNormal / 2.0;
constexpr double kUniformsDeviation = 0.5773502691896258;  // sqrt(4 / 12)
// Seconds of recovery time constant per s/cm3 of resistance.
constexpr double kSecondsPerResistance = 6.0;
// The instrument stops sampling this close below atmospheric.
constexpr double kStopMarginKPa = 3.0;
constexpr std::size_t kFewestSamples = 200;
constexpr std::size_t kMostSamples = 4000;
constexpr double kLargestCount = 65535.0;

}  // namespace

double NoiseSource::Uniform() {
    return engine_() / kTwoTo32;
}

double NoiseSource::Normal() {
    double sum = 0;
    for (int i = 0; i < kUniformsPerNormal; ++i) sum += Uniform();
    return (sum - kUniformsMean) / kUniformsDeviation;
}

int NoiseSource::Between(int lowest, int highest) {
    const auto span = static_cast<double>(highest - lowest + 1);
    return lowest + std::min(highest - lowest, static_cast<int>(Uniform() * span));
}

double TimeConstantForM(double m) {
    return std::max(m, 0.1) * kSecondsPerResistance;
}

std::vector<std::uint16_t> RecoveryCurve(const RecoveryShape& shape, NoiseSource& noise) {
    std::vector<std::uint16_t> samples(shape.samples);
    const double depth = shape.atmosphereKPa - shape.vacuumKPa;
    for (std::size_t i = 0; i < shape.samples; ++i) {
        const double t = static_cast<double>(i) / shape.rate;
        const double kPa = shape.atmosphereKPa - depth * std::exp(-t / shape.timeConstantS);
        const double counts = CountsFromKPa(kPa) + shape.noiseCounts * noise.Normal();
        samples[i] = static_cast<std::uint16_t>(std::clamp(std::round(counts), 0.0, kLargestCount));
    }
    return samples;
}

std::vector<std::uint16_t> MeasurementCurve(double m, std::uint16_t rate,
                                            std::uint16_t atmosphereCounts, double vacuumKPa,
                                            std::size_t samples, std::uint32_t seed) {
    constexpr double kSensorNoiseCounts = 1.5;
    RecoveryShape shape;
    shape.atmosphereKPa = KPaFromCounts(atmosphereCounts);
    shape.vacuumKPa = vacuumKPa;
    shape.timeConstantS = TimeConstantForM(m);
    shape.rate = rate > 0 ? rate : kDefaultRate;
    shape.samples = samples;
    shape.noiseCounts = kSensorNoiseCounts;
    NoiseSource noise(seed);
    return RecoveryCurve(shape, noise);
}

std::size_t SamplesUntilRecovered(double m, std::uint16_t rate, double atmosphereKPa,
                                  double vacuumKPa) {
    const double depth = std::max(atmosphereKPa - vacuumKPa, kStopMarginKPa * 2);
    const double seconds = TimeConstantForM(m) * std::log(depth / kStopMarginKPa);
    const auto samples = static_cast<std::size_t>(seconds * rate);
    return std::clamp(samples, kFewestSamples, kMostSamples);
}

}  // namespace porvel::sim
