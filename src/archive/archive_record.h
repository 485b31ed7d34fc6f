// The 36-byte archive record of one measurement, as the instrument sends it, and its pressure
// counts in kilopascals.
#pragma once

#include <cstdint>

#include "wire/record_layout.h"

namespace porvel {

struct ArchiveRecord {
    std::uint16_t number = 0;
    std::uint16_t object = 0;
    std::uint16_t material = 0;
    std::uint8_t second = 0;
    std::uint8_t minute = 0;
    std::uint8_t hour = 0;
    std::uint8_t day = 0;
    std::uint8_t month = 0;
    std::uint8_t year = 0;  // since 2000
    std::uint16_t grade = 0;
    float m = 0;                    // air-penetration resistance, s/cm3
    float h = 0;                    // cm
    std::uint16_t curveLength = 0;  // words of the curve block, marker and CRC included
    std::uint16_t sampleRate = 0;   // samples per second
    std::uint16_t atmosphere = 0;   // pressure counts

    static ArchiveRecord Decode(const std::uint8_t* bytes);
};

// Pressure counts to kilopascals, and rounding to a step.
// 13108 counts are 103.4 kPa; the product is formed in extended precision.
double PressureToKPa(std::uint16_t counts);

// The multiple of `step` that truncating x / step + 0.5 toward zero gives. For negative x the
// truncation lifts the result (with step 0.01 every x above -0.015 gives 0). NaN stays NaN.
double RoundToStep(double x, double step);

}  // namespace porvel
