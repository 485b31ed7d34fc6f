#include "measurement.h"

#include <array>
#include <cmath>

#include "sim_constants.h"
#include "wire/byte_order.h"
#include "wire/crc16.h"

namespace porvel::sim {

using namespace protocol;

std::vector<std::uint16_t> BuildCurveBlock(const std::vector<std::uint16_t>& samples) {
    std::vector<std::uint16_t> block(samples);
    block.push_back(kEndMarker);
    // The CRC runs over the little-endian bytes of the words before it.
    std::vector<std::uint8_t> bytes(block.size() * 2);
    for (std::size_t i = 0; i < block.size(); ++i) WriteU16(&bytes[2 * i], block[i]);
    block.push_back(Crc16(bytes.data(), bytes.size()));
    return block;
}

StoredMeasurement BuildMeasurement(const MeasurementFields& fields) {
    StoredMeasurement stored;
    stored.curveBlock = BuildCurveBlock(fields.samples);
    std::uint8_t* r = stored.record.data();
    WriteU16(r + record::kNumberOffset, fields.number);
    WriteU16(r + record::kObjectOffset, fields.object);
    WriteU16(r + record::kMaterialOffset, fields.material);
    r[record::kSecondOffset] = static_cast<std::uint8_t>(fields.second);
    r[record::kMinuteOffset] = static_cast<std::uint8_t>(fields.minute);
    r[record::kHourOffset] = static_cast<std::uint8_t>(fields.hour);
    r[record::kDayOffset] = static_cast<std::uint8_t>(fields.day);
    r[record::kMonthOffset] = static_cast<std::uint8_t>(fields.month);
    r[record::kYearOffset] = static_cast<std::uint8_t>(fields.year - record::kBaseYear);
    WriteU16(r + record::kGradeOffset, fields.grade);
    WriteF32(r + record::kMOffset, fields.m);
    WriteF32(r + record::kHOffset, fields.h);
    const auto length = static_cast<std::uint16_t>(stored.curveBlock.size());
    WriteU16(r + kRecordCurveLengthOffset, fields.curveLengthOverride.value_or(length));
    WriteU16(r + record::kSampleRateOffset, fields.rate);
    WriteU16(r + record::kAtmosphereOffset, fields.atmosphere);
    WriteU16(r + kRecordMarkerOffset, kEndMarker);
    StoreCrc(r, record::kCrcOffset);
    return stored;
}

namespace {

struct GradeRange {
    double lowestM;
    double highestM;
    std::uint16_t grade;
};

constexpr std::array<GradeRange, 10> kRanges = {{
    {3.1, 4.5, 2},
    {4.6, 6.5, 4},
    {6.6, 9.4, 6},
    {9.5, 13.7, 8},
    {13.8, 19.6, 10},
    {19.7, 29.0, 12},
    {29.1, 42.0, 14},
    {42.1, 60.9, 16},
    {61.0, 88.5, 18},
    {88.6, 130.2, 20},
}};

constexpr double kTenths = 10.0;
// Half a step of the table's last decimal, so that 4.6 read back from a float still counts as 4.6.
constexpr double kBoundTolerance = 0.05 / kTenths;

}  // namespace

std::uint16_t GradeForM(double m) {
    const double rounded = std::round(m * kTenths) / kTenths;
    std::uint16_t grade = 0;
    for (const GradeRange& range : kRanges)
        if (rounded + kBoundTolerance >= range.lowestM) grade = range.grade;
    return grade;
}

bool RangeOfGrade(std::uint16_t grade, double* lowest, double* highest) {
    for (const GradeRange& range : kRanges) {
        if (range.grade != grade) continue;
        *lowest = range.lowestM;
        *highest = range.highestM;
        return true;
    }
    return false;
}

}  // namespace porvel::sim
