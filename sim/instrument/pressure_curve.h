// The chamber pressure of a measurement: the pump has drawn the chamber down to a vacuum and the
// pressure recovers towards atmospheric as air seeps through the concrete. The recovery is close
// to exponential, slower the tighter the concrete (the larger its resistance m).
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace porvel::sim {

// Deterministic on every platform: raw 32-bit draws of a fixed-seed Mersenne twister, shaped by
// our own arithmetic (the standard distributions differ between libraries).
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : engine_(seed) {}
    // Uniform in [0, 1).
    double Uniform();
    // Roughly normal, mean 0, standard deviation 1 (sum of uniforms).
    double Normal();
    // Uniform integer in [lowest, highest].
    int Between(int lowest, int highest);

private:
    std::mt19937 engine_;
};

struct RecoveryShape {
    double atmosphereKPa = 0;
    double vacuumKPa = 0;      // absolute pressure at the first sample
    double timeConstantS = 0;  // e-folding time of the recovery
    double rate = 0;           // samples per second
    std::size_t samples = 0;
    double noiseCounts = 0;  // standard deviation of the sensor noise
};

// The time constant of the recovery for a resistance m in s/cm3.
double TimeConstantForM(double m);

// The samples, in pressure counts, clamped to the 16-bit range.
std::vector<std::uint16_t> RecoveryCurve(const RecoveryShape& shape, NoiseSource& noise);

// A curve of `samples` samples for a measurement of resistance m taken at `rate` samples per
// second under an atmosphere of `atmosphereCounts`, starting from `vacuumKPa` absolute.
std::vector<std::uint16_t> MeasurementCurve(double m, std::uint16_t rate,
                                            std::uint16_t atmosphereCounts, double vacuumKPa,
                                            std::size_t samples, std::uint32_t seed);

// How many samples the instrument takes before the pressure has come within its stop margin of
// atmospheric, bounded to what the demo shows.
std::size_t SamplesUntilRecovered(double m, std::uint16_t rate, double atmosphereKPa,
                                  double vacuumKPa);

}  // namespace porvel::sim
