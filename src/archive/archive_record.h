// The 36-byte archive record of one measurement, as the instrument sends it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "protocol.h"

namespace porvel {

namespace record {
constexpr std::size_t kNumberOffset = 0;
constexpr std::size_t kObjectOffset = 2;
constexpr std::size_t kMaterialOffset = 4;
constexpr std::size_t kSecondOffset = 8;
constexpr std::size_t kMinuteOffset = 9;
constexpr std::size_t kHourOffset = 10;
constexpr std::size_t kDayOffset = 11;
constexpr std::size_t kMonthOffset = 12;
constexpr std::size_t kYearOffset = 13;  // years since 2000
constexpr std::size_t kGradeOffset = 14;
constexpr std::size_t kMOffset = 16;
constexpr std::size_t kHOffset = 20;
constexpr std::size_t kCurveLengthOffset = protocol::kRecordCurveLengthOffset;
constexpr std::size_t kSampleRateOffset = 26;
constexpr std::size_t kAtmosphereOffset = 28;
constexpr int kBaseYear = 2000;
}  // namespace record

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
    float m = 0;  // air-penetration resistance, s/cm3
    float h = 0;  // cm
    std::uint16_t curveLength = 0;  // words of the curve block, marker and CRC included
    std::uint16_t sampleRate = 0;   // samples per second
    std::uint16_t atmosphere = 0;   // pressure counts

    static ArchiveRecord Decode(const std::uint8_t* bytes);
};

}  // namespace porvel
