// Numbers of the instrument's USB protocol: identifiers, commands, block layouts, caps, pauses.
#pragma once

#include <cstddef>
#include <cstdint>

namespace porvel::protocol {

// The instrument on the bus.
constexpr std::uint16_t kVendorId = 0x03EB;
constexpr std::uint16_t kProductId = 0x0220;
constexpr int kConfiguration = 1;
constexpr int kInterface = 0;
constexpr int kEndpointOut = 0x01;
constexpr int kEndpointIn = 0x82;
constexpr int kTransferTimeoutMs = 500;

enum class Command : std::uint8_t {
    ReadVersion = 0x01,
    ReadParameters = 0x02,
    ReadRecord = 0x03,
    ReadCurve = 0x04,
    ReadMaterials = 0x05,
    WriteMaterials = 0x06,
    ReadObjects = 0x07,
    WriteObjects = 0x08,
    ReadScreen = 0x09,
};
constexpr std::uint8_t kFirstCommand = 0x01;
constexpr std::uint8_t kLastCommand = 0x09;

constexpr std::size_t kShortFrameSize = 2;  // code, ~code
constexpr std::size_t kLongFrameSize = 4;   // code, ~code, argument lo, hi
constexpr std::size_t kLengthHeaderSize = 4;

constexpr std::uint16_t kEndMarker = 0xAAAA;
constexpr std::size_t kMarkerSize = 2;
constexpr std::size_t kCrcSize = 2;
constexpr std::size_t kTrailerSize = kMarkerSize + kCrcSize;

// Receive caps: the most a reply may put into its destination.
constexpr std::size_t kVersionCap = 100;
constexpr std::size_t kVersionBufferSize = kVersionCap + 1;
constexpr std::size_t kParametersSize = 536;
constexpr std::size_t kRecordSize = 36;
constexpr std::size_t kCurveCap = 65536;
constexpr std::size_t kMaterialListSize = 880;
constexpr std::size_t kObjectListSize = 720;
constexpr std::size_t kScreenSize = 784;

// Parameter block.
constexpr std::size_t kBitmapOffset = 0;
constexpr std::size_t kBitmapWords = 4;  // 128 bits, one per archive record
constexpr std::size_t kParametersMarkerOffset = 532;
constexpr std::size_t kMaxRecords = 128;

// The protocol fields of an archive record.
constexpr std::size_t kRecordCurveLengthOffset = 24;
constexpr std::size_t kRecordMarkerOffset = 32;

// Curve block: words 0..n-3 samples, n-2 marker, n-1 CRC. One receive slot is 64 KiB.
constexpr std::size_t kCurveSlotBytes = 65536;
constexpr std::size_t kCurveSlotWords = kCurveSlotBytes / 2;
constexpr std::uint16_t kMinCurveLength = 2;
constexpr std::uint16_t kMaxCurveLength = 32767;

// Lists.
constexpr std::size_t kListEntries = 20;
constexpr std::size_t kShortNameSize = 15;
constexpr std::size_t kShortNameMaxChars = 14;
constexpr std::size_t kRussianNameOffset = 0;
constexpr std::size_t kEnglishNameOffset = 15;

constexpr std::size_t kMaterialEntrySize = 44;
constexpr std::size_t kMaterialReservedOffset = 30;
constexpr std::size_t kMaterialA0Offset = 32;
constexpr std::size_t kMaterialA1Offset = 36;
constexpr std::size_t kMaterialMarkerOffset = 40;
constexpr std::size_t kMaterialCrcOffset = 42;

constexpr std::size_t kObjectEntrySize = 36;
constexpr std::size_t kObjectMaterialOffset = 30;
constexpr std::size_t kObjectMarkerOffset = 32;
constexpr std::size_t kObjectCrcOffset = 34;

static_assert(kMaterialEntrySize * kListEntries == kMaterialListSize);
static_assert(kObjectEntrySize * kListEntries == kObjectListSize);

// Pauses the instrument needs.
constexpr int kPauseAfterVersionMs = 80;
constexpr int kPauseAfterReadMs = 50;  // ReadParameters, ReadRecord, ReadCurve
constexpr int kPauseBeforeListWriteMs = 300;
constexpr int kPauseAfterPieceMs = 15;
constexpr std::size_t kWritePieceSize = 64;

}  // namespace porvel::protocol
