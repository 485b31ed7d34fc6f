// What the instrument keeps in its memory: version text, the archive of measurements with their
// curve blocks, the two lists and the display. Every block is held exactly as it goes on the wire.
#pragma once

#include <QByteArray>
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

}  // namespace porvel::sim
