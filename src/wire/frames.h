// Command frames, reply caps and the checking and building of the instrument's blocks.
// Pure functions: no I/O, no state.
#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

#include "base/language.h"
#include "protocol.h"

namespace porvel {

using ParameterBlock = std::array<std::uint8_t, protocol::kParametersSize>;
using RecordBytes = std::array<std::uint8_t, protocol::kRecordSize>;
using MaterialListBlock = std::array<std::uint8_t, protocol::kMaterialListSize>;
using ObjectListBlock = std::array<std::uint8_t, protocol::kObjectListSize>;
using ScreenBlock = std::array<std::uint8_t, protocol::kScreenSize>;
using ShortNameField = std::array<std::uint8_t, protocol::kShortNameSize>;

struct CommandFrame {
    std::array<std::uint8_t, protocol::kLongFrameSize> bytes{};
    std::size_t size = 0;
};

// The 2-byte frame: code, then its complement.
CommandFrame MakeFrame(protocol::Command command);
// The 4-byte frame of ReadRecord and ReadCurve: code, complement, argument low, high.
CommandFrame MakeFrame(protocol::Command command, std::uint16_t argument);

bool TakesArgument(protocol::Command command);
// The most a reply to the command may put into its destination.
std::size_t ReceiveCap(protocol::Command command);
// The pause between sending the command and reading its header (0: the read just waits).
int PauseAfterCommandMs(protocol::Command command);

std::uint16_t CurveLength(const std::uint8_t* record);
// Argument of ReadCurve for a record: twice its curve length, modulo 65536.
std::uint16_t CurveRequest(const std::uint8_t* record);
// A curve length whose block fits one 64 KiB receive slot and a 16-bit request.
bool CurveLengthUsable(std::uint16_t curveLength);

// What a block's check found, in the order it looks: room for its trailer, the end marker 0xAAAA,
// then the CRC-16 over the whole block, which must come to 0.
enum class BlockFault : std::uint8_t { None, TooShort, EndMarker, Crc };
BlockFault CheckBlock(const std::uint8_t* block, std::size_t size, std::size_t markerOffset);
BlockFault CheckRecord(const std::uint8_t* record);
// Judged on the 2n bytes of the slot, n the record's curve length.
BlockFault CheckCurveBlock(const std::uint8_t* slot, std::uint16_t curveLength);

// Valid when the check finds nothing; a block too small to hold its marker and CRC never is.
bool BlockValid(const std::uint8_t* block, std::size_t size, std::size_t markerOffset);
bool RecordValid(const std::uint8_t* record);
bool CurveBlockValid(const std::uint8_t* slot, std::uint16_t curveLength);
bool ParametersValid(const ParameterBlock& block);
unsigned RecordCount(const ParameterBlock& block);

QString DecodeShortName(const std::uint8_t* field);
// Writes length, up to 14 characters and a 0 after fewer; later bytes keep their content.
void EncodeShortName(std::uint8_t* field, const QString& name);

struct MaterialEntry {
    bool valid = false;
    QString russian;
    QString english;
    float a0 = 0;
    float a1 = 0;
};
struct ObjectEntry {
    bool valid = false;
    QString russian;
    QString english;
    std::uint16_t material = 0;
};
using MaterialEntries = std::array<MaterialEntry, protocol::kListEntries>;
using ObjectEntries = std::array<ObjectEntry, protocol::kListEntries>;

MaterialEntries DecodeMaterials(const MaterialListBlock& block);
ObjectEntries DecodeObjects(const ObjectListBlock& block);

// One entry's new contents as an editor gives them.
struct MaterialEdit {
    QString displayName;
    QString otherName;
    float a0 = 0;
    float a1 = 0;
};
struct ObjectEdit {
    QString displayName;
    QString otherName;
    std::uint16_t material = 0;
};

// Both names, the values and the CRC of one entry; the reserved bytes and the marker stay.
void EncodeMaterialEntry(std::uint8_t* entry, Language display, const MaterialEdit& edit);
void EncodeObjectEntry(std::uint8_t* entry, Language display, const ObjectEdit& edit);

MaterialListBlock EncodeMaterials(const MaterialListBlock& lastReceived, Language display,
                                  const std::array<MaterialEdit, protocol::kListEntries>& edits);
ObjectListBlock EncodeObjects(const ObjectListBlock& lastReceived, Language display,
                              const std::array<ObjectEdit, protocol::kListEntries>& edits);

// Seals a block built for writing: CRC-16 of the bytes before crcOffset, stored low byte first.
void StoreCrc(std::uint8_t* block, std::size_t crcOffset);

}  // namespace porvel
