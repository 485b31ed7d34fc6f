// One measurement as the instrument stores it: the 36-byte archive record and its curve block,
// built from readable fields, and the water-tightness grade that goes with its m.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "device_memory.h"

namespace porvel::sim {

struct MeasurementFields {
    std::uint16_t number = 1;
    int year = 2026;
    int month = 1;
    int day = 1;
    int hour = 12;
    int minute = 0;
    int second = 0;
    std::uint16_t object = 0;
    std::uint16_t material = 0;
    std::uint16_t grade = 0;
    float m = 0;
    float h = 0;
    std::uint16_t atmosphere = 0;  // pressure counts
    std::uint16_t rate = 0;        // samples per second
    std::vector<std::uint16_t> samples;
    // The curve length written into the record instead of samples + 2 (to model a damaged one).
    std::optional<std::uint16_t> curveLengthOverride;
};

// Record with end marker and CRC; curve block of samples, end marker and CRC of what precedes.
StoredMeasurement BuildMeasurement(const MeasurementFields& fields);

// The curve block of the samples: the samples, 0xAAAA, then the CRC-16 of the bytes before it.
std::vector<std::uint16_t> BuildCurveBlock(const std::vector<std::uint16_t>& samples);

// The water-tightness grade W that goes with an air-penetration resistance m, by the ranges of
// the grade table the instrument prints on its result page.

// Grade number (2, 4, ... 20) for m in s/cm3, judged on m rounded to one decimal as the table
// gives its bounds; 0 (no grade) below the first range. Above the last range the grade stays 20.
std::uint16_t GradeForM(double m);

// The m range of a grade, for drawing demo values inside it; false for a number with no range.
bool RangeOfGrade(std::uint16_t grade, double* lowest, double* highest);

}  // namespace porvel::sim
