// The instrument's material list (20 entries of 44 bytes) and object list (20 entries of 36
// bytes): building entries with their end marker and CRC, and the lists a new device ships with.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "wire/frames.h"

namespace porvel::sim {

struct MaterialDef {
    QString russian;
    QString english;
    float a0 = 0;
    float a1 = 0;
};

struct ObjectDef {
    QString russian;
    QString english;
    std::uint16_t material = 0;
};

using MaterialDefs = std::array<MaterialDef, protocol::kListEntries>;
using ObjectDefs = std::array<ObjectDef, protocol::kListEntries>;

// Writes one whole entry: both short names, the values, the end marker and the CRC.
void PutMaterialEntry(MaterialListBlock& block, std::size_t entry, const MaterialDef& def);
void PutObjectEntry(ObjectListBlock& block, std::size_t entry, const ObjectDef& def);

MaterialListBlock BuildMaterialList(const MaterialDefs& defs);
ObjectListBlock BuildObjectList(const ObjectDefs& defs);

// The entries as they come out of a block (names decoded, values read back).
MaterialDef MaterialAt(const MaterialListBlock& block, std::size_t entry);
ObjectDef ObjectAt(const ObjectListBlock& block, std::size_t entry);

// What a device fresh from the factory holds.
MaterialDefs FactoryMaterials();
ObjectDefs FactoryObjects();

}  // namespace porvel::sim
