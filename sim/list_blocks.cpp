#include "list_blocks.h"

#include <cstring>

#include "wire/byte_order.h"

namespace porvel::sim {
namespace {

using namespace protocol;

// Fill of the bytes the names leave unused: what the factory image holds there.
constexpr std::uint8_t kNameFill = 0x20;
// Factory coefficients of the materials the device knows by name, and of the spare entries.
constexpr float kConcreteA0 = 1.5e-3f;
constexpr float kConcreteA1 = 250.0f;
constexpr float kSpareA0 = 1.0e-3f;
constexpr float kSpareA1 = 100.0f;
constexpr std::size_t kNamedMaterials = 6;
constexpr std::size_t kNamedObjects = 11;

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
    // The English name of concrete starts with the Cyrillic capital Es, as the device has it.
    const std::array<MaterialDef, kNamedMaterials> named = {{
        {QStringLiteral("Бетон "), QStringLiteral("\u0421oncrete"), kConcreteA0, kConcreteA1},
        {QStringLiteral("Пенобетон"), QStringLiteral("Concr.Foam"), kConcreteA0, kConcreteA1},
        {QStringLiteral("Газобетон"), QStringLiteral("Concr.Air"), kConcreteA0, kConcreteA1},
        {QStringLiteral("Кирпич сил."), QStringLiteral("Brick sil."), kConcreteA0, kConcreteA1},
        {QStringLiteral("Кирпич обл."), QStringLiteral("Brick tile"), kConcreteA0, kConcreteA1},
        {QStringLiteral("Дерево"), QStringLiteral("Wood"), kConcreteA0, kConcreteA1},
    }};
    MaterialDefs defs;
    for (std::size_t e = 0; e < kListEntries; ++e) {
        if (e < kNamedMaterials) {
            defs[e] = named[e];
            continue;
        }
        const QString n = QString::number(e - kNamedMaterials + 1);
        defs[e] = {QStringLiteral("Материал ") + n, QStringLiteral("Material ") + n, kSpareA0,
                   kSpareA1};
    }
    return defs;
}

ObjectDefs FactoryObjects() {
    const std::array<ObjectDef, kNamedObjects> named = {{
        {QStringLiteral("Плита"), QStringLiteral("Plate"), 0},
        {QStringLiteral("Перекрытие"), QStringLiteral("Floor"), 0},
        {QStringLiteral("Колонна"), QStringLiteral("Column"), 0},
        {QStringLiteral("Свая"), QStringLiteral("Pile"), 0},
        {QStringLiteral("Балка"), QStringLiteral("Beam"), 0},
        {QStringLiteral("Ферма"), QStringLiteral("Farm"), 0},
        {QStringLiteral("Блок"), QStringLiteral("Block"), 1},
        {QStringLiteral("Стен.панель"), QStringLiteral("Wallboard"), 0},
        {QStringLiteral("Ригиль"), QStringLiteral("Rigil"), 0},
        {QStringLiteral("Фунд. балка"), QStringLiteral("Base beam"), 0},
        {QStringLiteral("Диафрагма"), QStringLiteral("Diaphragm"), 0},
    }};
    ObjectDefs defs;
    for (std::size_t e = 0; e < kListEntries; ++e) {
        if (e < kNamedObjects) {
            defs[e] = named[e];
            continue;
        }
        const QString n = QString::number(e - kNamedObjects + 1);
        defs[e] = {QStringLiteral("Объект ") + n, QStringLiteral("Object ") + n, 0};
    }
    return defs;
}

}  // namespace porvel::sim
