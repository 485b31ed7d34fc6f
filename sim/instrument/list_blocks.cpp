#include "list_blocks.h"

#include <cstring>

#include "wire/byte_order.h"
#include "wire/name_tables.h"

namespace porvel::sim {
namespace {

using namespace protocol;

// Fill of the bytes the names leave unused: what the factory image holds there.
constexpr std::uint8_t kNameFill = 0x20;
// Factory coefficients of the six materials the device knows by name, and of the numbered
// spare entries.
constexpr float kConcreteA0 = 1.5e-3f;
constexpr float kConcreteA1 = 250.0f;
constexpr float kSpareA0 = 1.0e-3f;
constexpr float kSpareA1 = 100.0f;
constexpr std::size_t kNamedMaterials = 6;
// Every object is made of concrete but the block, which is of foam concrete.
constexpr std::size_t kBlockObject = 6;
constexpr std::uint16_t kConcreteMaterial = 0;
constexpr std::uint16_t kBlockMaterial = 1;

void PutNames(std::uint8_t* entry, const QString& russian, const QString& english) {
    std::memset(entry + kRussianNameOffset, kNameFill, kShortNameSize);
    std::memset(entry + kEnglishNameOffset, kNameFill, kShortNameSize);
    EncodeShortName(entry + kRussianNameOffset, russian);
    EncodeShortName(entry + kEnglishNameOffset, english);
}

}  // namespace

void PutMaterialEntry(MaterialListBlock& block, std::size_t entry, const MaterialDef& def) {
    std::uint8_t* p = &block[entry * kMaterialEntrySize];
    PutNames(p, def.russian, def.english);
    WriteU16(p + kMaterialReservedOffset, 0);
    WriteF32(p + kMaterialA0Offset, def.a0);
    WriteF32(p + kMaterialA1Offset, def.a1);
    WriteU16(p + kMaterialMarkerOffset, kEndMarker);
    StoreCrc(p, kMaterialCrcOffset);
}

void PutObjectEntry(ObjectListBlock& block, std::size_t entry, const ObjectDef& def) {
    std::uint8_t* p = &block[entry * kObjectEntrySize];
    PutNames(p, def.russian, def.english);
    WriteU16(p + kObjectMaterialOffset, def.material);
    WriteU16(p + kObjectMarkerOffset, kEndMarker);
    StoreCrc(p, kObjectCrcOffset);
}

MaterialListBlock BuildMaterialList(const MaterialDefs& defs) {
    MaterialListBlock block{};
    for (std::size_t e = 0; e < kListEntries; ++e) PutMaterialEntry(block, e, defs[e]);
    return block;
}

ObjectListBlock BuildObjectList(const ObjectDefs& defs) {
    ObjectListBlock block{};
    for (std::size_t e = 0; e < kListEntries; ++e) PutObjectEntry(block, e, defs[e]);
    return block;
}

MaterialDef MaterialAt(const MaterialListBlock& block, std::size_t entry) {
    const std::uint8_t* p = &block[entry * kMaterialEntrySize];
    return {DecodeShortName(p + kRussianNameOffset), DecodeShortName(p + kEnglishNameOffset),
            ReadF32(p + kMaterialA0Offset), ReadF32(p + kMaterialA1Offset)};
}

ObjectDef ObjectAt(const ObjectListBlock& block, std::size_t entry) {
    const std::uint8_t* p = &block[entry * kObjectEntrySize];
    return {DecodeShortName(p + kRussianNameOffset), DecodeShortName(p + kEnglishNameOffset),
            ReadU16(p + kObjectMaterialOffset)};
}

MaterialDefs FactoryMaterials() {
    const ListNames names = FactoryMaterialNames();
    MaterialDefs defs;
    for (std::size_t e = 0; e < kListEntries; ++e) {
        const bool named = e < kNamedMaterials;
        defs[e] = {names[e].russian, names[e].english, named ? kConcreteA0 : kSpareA0,
                   named ? kConcreteA1 : kSpareA1};
    }
    return defs;
}

ObjectDefs FactoryObjects() {
    const ListNames names = FactoryObjectNames();
    ObjectDefs defs;
    for (std::size_t e = 0; e < kListEntries; ++e)
        defs[e] = {names[e].russian, names[e].english,
                   e == kBlockObject ? kBlockMaterial : kConcreteMaterial};
    return defs;
}

}  // namespace porvel::sim
