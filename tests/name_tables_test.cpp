#include "wire/name_tables.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

#include "wire/cp1251.h"

namespace porvel {
namespace {

TEST(NameTables, ContentsAtStart) {
    const NameTable materials = DefaultMaterialNames();
    const NameTable objects = DefaultObjectNames();
    EXPECT_EQ(objects.Name(3, Language::English), QStringLiteral("Pile"));
    EXPECT_EQ(materials.Name(0, Language::Russian), QStringLiteral("Бетон "));
    // "Сoncrete" starts with the Cyrillic С, byte 0xD1 on the wire.
    const QByteArray concrete = ToCp1251(materials.Name(0, Language::English));
    EXPECT_EQ(static_cast<unsigned char>(concrete[0]), 0xD1);
    EXPECT_EQ(concrete.mid(1), QByteArray("oncrete"));
    EXPECT_EQ(materials.Name(6, Language::Russian), QStringLiteral("Материал 1"));
    EXPECT_EQ(materials.Name(19, Language::Russian), QStringLiteral("Материал 14"));
    EXPECT_EQ(materials.Name(19, Language::English), QStringLiteral("Material 14"));
    EXPECT_EQ(objects.Name(10, Language::English), QStringLiteral("Diaphragm"));
    EXPECT_EQ(objects.Name(11, Language::Russian), QStringLiteral("Объект 1"));
    EXPECT_EQ(objects.Name(19, Language::Russian), QStringLiteral("Объект 9"));
    EXPECT_EQ(objects.Name(19, Language::English), QStringLiteral("Object 9"));
}

TEST(NameTables, IndexesOutsideTheTableNameNothing) {
    NameTable objects = DefaultObjectNames();
    for (int index : {20, 21, 255, 65535, -1}) {
        EXPECT_EQ(objects.Name(index, Language::Russian), QStringLiteral("NAN")) << index;
        objects.Replace(index, QStringLiteral("x"), QStringLiteral("y"));
    }
    EXPECT_EQ(objects.Name(19, Language::English), QStringLiteral("Object 9"));
}

TEST(NameTables, ReplaceSetsBothNames) {
    NameTable materials = DefaultMaterialNames();
    materials.Replace(4, QStringLiteral("Кирпич"), QString());
    EXPECT_EQ(materials.Name(4, Language::Russian), QStringLiteral("Кирпич"));
    EXPECT_TRUE(materials.Name(4, Language::English).isEmpty());
    EXPECT_EQ(materials.Name(5, Language::English), QStringLiteral("Wood"));
}

}  // namespace
}  // namespace porvel
