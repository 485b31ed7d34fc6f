// What the instrument keeps in its memory: version text, the archive of measurements with their
// curve blocks, the two lists and the display, every block held exactly as it goes on the wire;
// and the parameter block it builds from them.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "wire/frames.h"

namespace porvel::sim {

struct StoredMeasurement {
    RecordBytes record{};
    // n words: the samples, the end marker, the CRC (n = the record's curve length, normally).
    std::vector<std::uint16_t> curveBlock;
};

struct DeviceMemory {
    QByteArray version;  // Windows-1251 bytes, sent as they are
    std::vector<StoredMeasurement> archive;
    MaterialListBlock materials{};
    ObjectListBlock objects{};
    ScreenBlock screen{};
};

// The instrument's parameter block: the bitmap of occupied archive slots, the device settings
// the host passes by, and the end marker.

// One bit per stored record, spread over the 128 archive slots the way a device that has
// deleted and reused slots leaves them; `records` is at most 128.
ParameterBlock BuildParameterBlock(std::size_t records);

// The slot (bit number 0..127) that holds the record of ordinal k among `records`.
std::size_t SlotOfRecord(std::size_t ordinal);

}  // namespace porvel::sim
