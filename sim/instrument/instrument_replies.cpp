// The payloads the instrument sends, with the spoiled CRCs and markers a scenario asks for.
#include <algorithm>

#include "instrument.h"
#include "wire/byte_order.h"

namespace porvel::sim {
namespace {

using namespace protocol;

// XORed into a CRC or marker to spoil it; any non-zero mask breaks the check.
constexpr std::uint16_t kSpoilMask = 0x5A5A;
// What the device reads beyond the end of a curve block: erased flash.
constexpr std::uint8_t kErasedFlash = 0xFF;

void Spoil(std::uint8_t* word) {
    WriteU16(word, ReadU16(word) ^ kSpoilMask);
}

}  // namespace

std::vector<std::uint8_t> Instrument::RecordPayload(std::size_t ordinal) {
    RecordBytes record = memory_.archive[ordinal].record;
    const std::string which = "record " + std::to_string(ordinal);
    if (faults_.recordMarker.count(ordinal)) {
        // The marker is wrong but the CRC matches it, so only the marker test catches it.
        Spoil(&record[kRecordMarkerOffset]);
        StoreCrc(record.data(), kRecordMarkerOffset + kMarkerSize);
        log_.Add("fault: " + which + " without end marker");
    }
    if (faults_.recordCrc.count(ordinal)) {
        Spoil(&record[kRecordMarkerOffset + kMarkerSize]);
        log_.Add("fault: " + which + " with a wrong CRC");
    }
    return {record.begin(), record.end()};
}

std::vector<std::uint8_t> Instrument::CurvePayload(std::size_t ordinal, std::uint16_t bytes) {
    const std::vector<std::uint16_t>& words = memory_.archive[ordinal].curveBlock;
    std::vector<std::uint8_t> payload(std::max<std::size_t>(bytes, 2 * words.size()), kErasedFlash);
    for (std::size_t i = 0; i < words.size(); ++i) WriteU16(&payload[2 * i], words[i]);
    if (faults_.curveCrc.count(ordinal) && !words.empty()) {
        Spoil(&payload[2 * (words.size() - 1)]);
        log_.Add("fault: curve of record " + std::to_string(ordinal) + " with a wrong CRC");
    }
    payload.resize(bytes);
    return payload;
}

std::vector<std::uint8_t> Instrument::ParametersPayload() {
    ParameterBlock block = parameters_;
    if (parameterReplies_ < faults_.spoiledParameterReplies) {
        Spoil(&block[kParametersMarkerOffset]);
        log_.Add("fault: parameter block without end marker");
    }
    ++parameterReplies_;
    return {block.begin(), block.end()};
}

std::vector<std::uint8_t> Instrument::MaterialsPayload() {
    MaterialListBlock block = memory_.materials;
    for (std::size_t e : faults_.materialEntries) {
        if (e >= kListEntries) continue;
        Spoil(&block[e * kMaterialEntrySize + kMaterialCrcOffset]);
        log_.Add("fault: material entry " + std::to_string(e) + " with a wrong CRC");
    }
    return {block.begin(), block.end()};
}

std::vector<std::uint8_t> Instrument::ObjectsPayload() {
    ObjectListBlock block = memory_.objects;
    for (std::size_t e : faults_.objectEntries) {
        if (e >= kListEntries) continue;
        Spoil(&block[e * kObjectEntrySize + kObjectCrcOffset]);
        log_.Add("fault: object entry " + std::to_string(e) + " with a wrong CRC");
    }
    return {block.begin(), block.end()};
}

}  // namespace porvel::sim
