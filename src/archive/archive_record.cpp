#include "archive_record.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "wire/byte_order.h"
#include "wire/record_layout.h"

namespace porvel {

ArchiveRecord ArchiveRecord::Decode(const std::uint8_t* bytes) {
    using namespace record;
    ArchiveRecord r;
    r.number = ReadU16(bytes + kNumberOffset);
    r.object = ReadU16(bytes + kObjectOffset);
    r.material = ReadU16(bytes + kMaterialOffset);
    r.second = bytes[kSecondOffset];
    r.minute = bytes[kMinuteOffset];
    r.hour = bytes[kHourOffset];
    r.day = bytes[kDayOffset];
    r.month = bytes[kMonthOffset];
    r.year = bytes[kYearOffset];
    r.grade = ReadU16(bytes + kGradeOffset);
    r.m = ReadF32(bytes + kMOffset);
    r.h = ReadF32(bytes + kHOffset);
    r.curveLength = ReadU16(bytes + kCurveLengthOffset);
    r.sampleRate = ReadU16(bytes + kSampleRateOffset);
    r.atmosphere = ReadU16(bytes + kAtmosphereOffset);
    return r;
}

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
