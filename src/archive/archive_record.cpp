#include "archive_record.h"

#include "wire/byte_order.h"

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

}  // namespace porvel
