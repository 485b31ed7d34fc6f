// Builds archive records and curve blocks the way the instrument sends them.
#pragma once

#include <cstring>
#include <vector>

#include "archive/archive_record.h"
#include "wire/byte_order.h"
#include "wire/crc16.h"
#include "wire/frames.h"

namespace porvel::testing {

struct RecordFields {
    std::uint16_t number = 1;
    std::uint16_t object = 0;
    std::uint16_t material = 0;
    int second = 0, minute = 0, hour = 12, day = 1, month = 1, year = 26;
    std::uint16_t grade = 8;
    float m = 2.5f;
    float h = 1.24f;
    std::uint16_t curveLength = 5;
    std::uint16_t sampleRate = 4;
    std::uint16_t atmosphere = 13108;
};

inline RecordBytes MakeRecord(const RecordFields& f) {
    using namespace record;
    RecordBytes r{};
    WriteU16(&r[kNumberOffset], f.number);
    WriteU16(&r[kObjectOffset], f.object);
    WriteU16(&r[kMaterialOffset], f.material);
    r[kSecondOffset] = static_cast<std::uint8_t>(f.second);
    r[kMinuteOffset] = static_cast<std::uint8_t>(f.minute);
    r[kHourOffset] = static_cast<std::uint8_t>(f.hour);
    r[kDayOffset] = static_cast<std::uint8_t>(f.day);
    r[kMonthOffset] = static_cast<std::uint8_t>(f.month);
    r[kYearOffset] = static_cast<std::uint8_t>(f.year);
    WriteU16(&r[kGradeOffset], f.grade);
    WriteF32(&r[kMOffset], f.m);
    WriteF32(&r[kHOffset], f.h);
    WriteU16(&r[kCurveLengthOffset], f.curveLength);
    WriteU16(&r[kSampleRateOffset], f.sampleRate);
    WriteU16(&r[kAtmosphereOffset], f.atmosphere);
    WriteU16(&r[protocol::kRecordMarkerOffset], protocol::kEndMarker);
    StoreCrc(r.data(), protocol::kRecordSize - protocol::kCrcSize);
    return r;
}

// A curve block of the given samples with marker and CRC, as bytes.
inline std::vector<std::uint8_t> MakeCurveBlock(const std::vector<std::uint16_t>& samples) {
    std::vector<std::uint8_t> block(2 * samples.size() + protocol::kTrailerSize);
    for (std::size_t i = 0; i < samples.size(); ++i) WriteU16(&block[2 * i], samples[i]);
    WriteU16(&block[2 * samples.size()], protocol::kEndMarker);
    StoreCrc(block.data(), block.size() - protocol::kCrcSize);
    return block;
}

// Record array and curve receive area for a batch of records, as an exchange leaves them.
struct ReceivedBatch {
    std::vector<std::uint8_t> records;
    std::vector<std::uint8_t> curves;
    unsigned count = 0;

    void Add(const RecordFields& fields, const std::vector<std::uint16_t>& samples = {}) {
        RecordFields f = fields;
        if (!samples.empty()) f.curveLength = static_cast<std::uint16_t>(samples.size() + 2);
        const RecordBytes r = MakeRecord(f);
        records.insert(records.end(), r.begin(), r.end());
        std::vector<std::uint8_t> slot(protocol::kCurveSlotBytes, 0);
        const auto block = MakeCurveBlock(samples);
        std::memcpy(slot.data(), block.data(), block.size());
        curves.insert(curves.end(), slot.begin(), slot.end());
        ++count;
    }
};

}  // namespace porvel::testing
