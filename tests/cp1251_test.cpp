#include "wire/cp1251.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

namespace porvel {
namespace {

TEST(Cp1251, EveryByteIsACharacterAndComesBack) {
    QByteArray all(256, 0);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<char>(i);
    const QString text = FromCp1251(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCp1251(text), all);
    // No two bytes share a character.
    for (int i = 0; i < 256; ++i)
        for (int j = i + 1; j < 256; ++j) ASSERT_NE(text[i], text[j]) << i << " " << j;
}

TEST(Cp1251, KnownCharacters) {
    EXPECT_EQ(FromCp1251(QByteArray("\xB9")), QStringLiteral("№"));
    EXPECT_EQ(FromCp1251(QByteArray("\xA8\xB8")), QStringLiteral("Ёё"));
    EXPECT_EQ(FromCp1251(QByteArray("\xC0\xDF\xE0\xFF")), QStringLiteral("АЯая"));
    EXPECT_EQ(ToCp1251(QStringLiteral("Ратм, кПа")), QByteArray("\xD0\xE0\xF2\xEC, \xEA\xCF\xE0"));
    EXPECT_EQ(ToCp1251(QStringLiteral("€–—")), QByteArray("\x88\x96\x97"));
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(ToCp1251(QStringLiteral("a中ß")), QByteArray("a??"));
}

}  // namespace
}  // namespace porvel
