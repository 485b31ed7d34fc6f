#include "measurement.h"

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

}  // namespace porvel::sim
