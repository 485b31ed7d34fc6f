// The 36-byte archive record of one measurement, as the instrument sends it.
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

}  // namespace porvel
