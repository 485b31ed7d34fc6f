#include "frames.h"

#include <bitset>

#include "byte_order.h"
#include "cp1251.h"
#include "crc16.h"

namespace porvel {

using namespace protocol;

CommandFrame MakeFrame(Command command) {
    CommandFrame frame;
    const auto code = static_cast<std::uint8_t>(command);
    frame.bytes[0] = code;
    frame.bytes[1] = static_cast<std::uint8_t>(0xFF - code);
    frame.size = kShortFrameSize;
    return frame;
}

CommandFrame MakeFrame(Command command, std::uint16_t argument) {
    CommandFrame frame = MakeFrame(command);
    WriteU16(&frame.bytes[2], argument);
    frame.size = kLongFrameSize;
    return frame;
}

bool TakesArgument(Command command) {
    return command == Command::ReadRecord || command == Command::ReadCurve;
}

std::size_t ReceiveCap(Command command) {
    switch (command) {
        case Command::ReadVersion:
            return kVersionCap;
        case Command::ReadParameters:
            return kParametersSize;
        case Command::ReadRecord:
            return kRecordSize;
        case Command::ReadCurve:
            return kCurveCap;
        case Command::ReadMaterials:
            return kMaterialListSize;
        case Command::ReadObjects:
            return kObjectListSize;
        case Command::ReadScreen:
            return kScreenSize;
        case Command::WriteMaterials:
        case Command::WriteObjects:
            break;
    }
    return 0;
}

int PauseAfterCommandMs(Command command) {
    switch (command) {
        case Command::ReadVersion:
            return kPauseAfterVersionMs;
        case Command::ReadParameters:
        case Command::ReadRecord:
        case Command::ReadCurve:
            return kPauseAfterReadMs;
        case Command::WriteMaterials:
        case Command::WriteObjects:
            return kPauseBeforeListWriteMs;
        case Command::ReadMaterials:
        case Command::ReadObjects:
        case Command::ReadScreen:
            break;
    }
    return 0;
}

std::uint16_t CurveLength(const std::uint8_t* record) {
    return ReadU16(record + kRecordCurveLengthOffset);
}

std::uint16_t CurveRequest(const std::uint8_t* record) {
    return static_cast<std::uint16_t>(2u * CurveLength(record));
}

bool CurveLengthUsable(std::uint16_t curveLength) {
    return curveLength >= kMinCurveLength && curveLength <= kMaxCurveLength;
}

BlockFault CheckBlock(const std::uint8_t* block, std::size_t size, std::size_t markerOffset) {
    if (size < kTrailerSize || markerOffset + kMarkerSize > size) return BlockFault::TooShort;
    if (ReadU16(block + markerOffset) != kEndMarker) return BlockFault::EndMarker;
    if (Crc16(block, size) != 0) return BlockFault::Crc;
    return BlockFault::None;
}

BlockFault CheckRecord(const std::uint8_t* record) {
    return CheckBlock(record, kRecordSize, kRecordMarkerOffset);
}

BlockFault CheckCurveBlock(const std::uint8_t* slot, std::uint16_t curveLength) {
    const std::size_t size = static_cast<std::uint16_t>(2u * curveLength);
    if (size < kTrailerSize) return BlockFault::TooShort;
    return CheckBlock(slot, size, size - kTrailerSize);
}

bool BlockValid(const std::uint8_t* block, std::size_t size, std::size_t markerOffset) {
    return CheckBlock(block, size, markerOffset) == BlockFault::None;
}

bool RecordValid(const std::uint8_t* record) {
    return CheckRecord(record) == BlockFault::None;
}

bool CurveBlockValid(const std::uint8_t* slot, std::uint16_t curveLength) {
    return CheckCurveBlock(slot, curveLength) == BlockFault::None;
}

bool ParametersValid(const ParameterBlock& block) {
    return ReadU16(&block[kParametersMarkerOffset]) == kEndMarker;
}

unsigned RecordCount(const ParameterBlock& block) {
    unsigned count = 0;
    for (std::size_t w = 0; w < kBitmapWords; ++w)
        count += std::bitset<32>(ReadU32(&block[kBitmapOffset + 4 * w])).count();
    return count;
}

QString DecodeShortName(const std::uint8_t* field) {
    const auto length = static_cast<std::int8_t>(field[0]);
    if (length <= 0 || length >= static_cast<int>(kShortNameSize)) return {};
    int used = 0;
    while (used < length && field[1 + used] != 0) ++used;
    return FromCp1251(reinterpret_cast<const char*>(field + 1), used);
}

void EncodeShortName(std::uint8_t* field, const QString& name) {
    const QByteArray bytes = ToCp1251(name);
    std::size_t copied = 0;
    field[0] = 0;
    while (copied < static_cast<std::size_t>(bytes.size()) && copied < kShortNameMaxChars) {
        field[1 + copied] = static_cast<std::uint8_t>(bytes[static_cast<qsizetype>(copied)]);
        ++copied;
        field[0] = static_cast<std::uint8_t>(copied);
    }
    if (copied < kShortNameMaxChars) field[1 + copied] = 0;
}

MaterialEntries DecodeMaterials(const MaterialListBlock& block) {
    MaterialEntries entries;
    for (std::size_t e = 0; e < kListEntries; ++e) {
        const std::uint8_t* p = &block[e * kMaterialEntrySize];
        entries[e].valid = BlockValid(p, kMaterialEntrySize, kMaterialMarkerOffset);
        entries[e].russian = DecodeShortName(p + kRussianNameOffset);
        entries[e].english = DecodeShortName(p + kEnglishNameOffset);
        entries[e].a0 = ReadF32(p + kMaterialA0Offset);
        entries[e].a1 = ReadF32(p + kMaterialA1Offset);
    }
    return entries;
}

ObjectEntries DecodeObjects(const ObjectListBlock& block) {
    ObjectEntries entries;
    for (std::size_t e = 0; e < kListEntries; ++e) {
        const std::uint8_t* p = &block[e * kObjectEntrySize];
        entries[e].valid = BlockValid(p, kObjectEntrySize, kObjectMarkerOffset);
        entries[e].russian = DecodeShortName(p + kRussianNameOffset);
        entries[e].english = DecodeShortName(p + kEnglishNameOffset);
        entries[e].material = ReadU16(p + kObjectMaterialOffset);
    }
    return entries;
}

namespace {

void EncodeNames(std::uint8_t* entry, Language display, const QString& displayName,
                 const QString& otherName) {
    const bool russian = display == Language::Russian;
    EncodeShortName(entry + (russian ? kRussianNameOffset : kEnglishNameOffset), displayName);
    EncodeShortName(entry + (russian ? kEnglishNameOffset : kRussianNameOffset), otherName);
}

}  // namespace

void StoreCrc(std::uint8_t* block, std::size_t crcOffset) {
    WriteU16(block + crcOffset, Crc16(block, crcOffset));
}

void EncodeMaterialEntry(std::uint8_t* entry, Language display, const MaterialEdit& edit) {
    EncodeNames(entry, display, edit.displayName, edit.otherName);
    WriteF32(entry + kMaterialA0Offset, edit.a0);
    WriteF32(entry + kMaterialA1Offset, edit.a1);
    StoreCrc(entry, kMaterialCrcOffset);
}

void EncodeObjectEntry(std::uint8_t* entry, Language display, const ObjectEdit& edit) {
    EncodeNames(entry, display, edit.displayName, edit.otherName);
    WriteU16(entry + kObjectMaterialOffset, edit.material);
    StoreCrc(entry, kObjectCrcOffset);
}

MaterialListBlock EncodeMaterials(const MaterialListBlock& lastReceived, Language display,
                                  const std::array<MaterialEdit, kListEntries>& edits) {
    MaterialListBlock block = lastReceived;
    for (std::size_t e = 0; e < kListEntries; ++e)
        EncodeMaterialEntry(&block[e * kMaterialEntrySize], display, edits[e]);
    return block;
}

ObjectListBlock EncodeObjects(const ObjectListBlock& lastReceived, Language display,
                              const std::array<ObjectEdit, kListEntries>& edits) {
    ObjectListBlock block = lastReceived;
    for (std::size_t e = 0; e < kListEntries; ++e)
        EncodeObjectEntry(&block[e * kObjectEntrySize], display, edits[e]);
    return block;
}

}  // namespace porvel
