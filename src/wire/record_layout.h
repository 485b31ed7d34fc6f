// The 36-byte archive record of one measurement: where each field lies, and the scale of the
// pressure counts that the record and its curve carry. The program decodes records with these
// numbers and the simulated instrument builds them with the same ones.
#pragma once

#include <cstddef>

#include "protocol.h"

namespace porvel::record {

constexpr std::size_t kNumberOffset = 0;    // 16 bits: the measurement's number
constexpr std::size_t kObjectOffset = 2;    // 16 bits: index into the object list
constexpr std::size_t kMaterialOffset = 4;  // 16 bits: index into the material list
// One byte each: when the measurement was taken.
constexpr std::size_t kSecondOffset = 8;
constexpr std::size_t kMinuteOffset = 9;
constexpr std::size_t kHourOffset = 10;
constexpr std::size_t kDayOffset = 11;
constexpr std::size_t kMonthOffset = 12;
constexpr std::size_t kYearOffset = 13;   // years since kBaseYear
constexpr std::size_t kGradeOffset = 14;  // 16 bits: the W grade
constexpr std::size_t kMOffset = 16;      // single precision: air-penetration resistance, s/cm3
constexpr std::size_t kHOffset = 20;      // single precision: cm
constexpr std::size_t kCurveLengthOffset = protocol::kRecordCurveLengthOffset;
constexpr std::size_t kSampleRateOffset = 26;  // 16 bits: samples per second
constexpr std::size_t kAtmosphereOffset = 28;  // 16 bits: atmospheric pressure in counts
constexpr std::size_t kMarkerOffset = protocol::kRecordMarkerOffset;
constexpr std::size_t kCrcOffset = kMarkerOffset + protocol::kMarkerSize;
static_assert(kCrcOffset + protocol::kCrcSize == protocol::kRecordSize);

constexpr int kBaseYear = 2000;

// The pressure sensor: counts rise linearly from 0, and this many counts are this many kPa.
constexpr int kSensorScaleCounts = 13108;
constexpr double kSensorScaleKPa = 103.4;

}  // namespace porvel::record
