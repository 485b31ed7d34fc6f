#include "device_memory.h"

#include "wire/byte_order.h"
#include "wire/crc16.h"

namespace porvel::sim {
namespace {

using namespace protocol;

// Slots are taken in a stride order coprime with 128, so every slot is reached once.
constexpr std::size_t kSlotCount = kMaxRecords;
constexpr std::size_t kSlotStride = 37;
constexpr std::size_t kFirstSlot = 11;
static_assert(kSlotCount == 128 && kSlotStride % 2 == 1);

// Device settings after the bitmap (the host does not interpret them).
constexpr std::size_t kSerialOffset = 16;
constexpr std::size_t kFirmwareBuildOffset = 18;
constexpr std::size_t kSensorGainOffset = 20;
constexpr std::size_t kSensorOffsetOffset = 24;
constexpr std::size_t kVacuumTargetOffset = 28;
constexpr std::size_t kSettingsEnd = 30;
constexpr std::size_t kTrailerCrcOffset = 534;
constexpr std::uint16_t kSerialNumber = 1187;
constexpr std::uint16_t kFirmwareBuild = 305;
constexpr float kSensorGain = 1.0021f;
constexpr float kSensorOffset = -0.12f;
constexpr std::uint16_t kVacuumTargetCounts = 4435;  // 35 kPa absolute
constexpr std::uint8_t kErasedFlash = 0xFF;

}  // namespace

std::size_t SlotOfRecord(std::size_t ordinal) {
    return (kFirstSlot + ordinal * kSlotStride) % kSlotCount;
}

ParameterBlock BuildParameterBlock(std::size_t records) {
    ParameterBlock block{};
    for (std::size_t k = 0; k < records && k < kSlotCount; ++k) {
        const std::size_t slot = SlotOfRecord(k);
        block[kBitmapOffset + slot / 8] |= static_cast<std::uint8_t>(1u << (slot % 8));
    }
    WriteU16(&block[kSerialOffset], kSerialNumber);
    WriteU16(&block[kFirmwareBuildOffset], kFirmwareBuild);
    WriteF32(&block[kSensorGainOffset], kSensorGain);
    WriteF32(&block[kSensorOffsetOffset], kSensorOffset);
    WriteU16(&block[kVacuumTargetOffset], kVacuumTargetCounts);
    for (std::size_t i = kSettingsEnd; i < kParametersMarkerOffset; ++i) block[i] = kErasedFlash;
    WriteU16(&block[kParametersMarkerOffset], kEndMarker);
    StoreCrc(block.data(), kTrailerCrcOffset);
    return block;
}

}  // namespace porvel::sim
