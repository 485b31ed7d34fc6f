// The curve's title and the readout, in both languages and two locales.
#include <gtest/gtest.h>

#include <QLocale>

#include "archive/archive_table.h"
#include "plot/chart_texts.h"

namespace porvel {
namespace {

TEST(RowTitle, JoinsTheRowsCellsWithTheirSeparators) {
    ArchiveTable table;
    table.SetCell(column::kNumber, 3, QStringLiteral("12"));
    table.SetCell(column::kTime, 3, QStringLiteral("10:15"));
    table.SetCell(column::kDate, 3, QStringLiteral("03.05.2024"));
    table.SetCell(column::kObject, 3, QStringLiteral("Мост"));
    table.SetCell(column::kMaterial, 3, QStringLiteral("Бетон"));
    table.SetCell(column::kAtmosphere, 3, QStringLiteral("99,5"));
    table.SetCell(column::kGrade, 3, QStringLiteral("W8"));
    EXPECT_EQ(RowTitle(table, 3), QStringLiteral("12.  10:15 (03.05.2024)  Мост(Бетон)  W8"));
}

TEST(RowTitle, EmptyCellsLeaveTheSeparatorsAndBlankCellsStay) {
    ArchiveTable table;
    EXPECT_EQ(RowTitle(table, 2), QStringLiteral(".   ()  ()  "));
    // A sort leaves a single blank in every empty cell; the title keeps it.
    table.SetCell(column::kObject, 2, QStringLiteral(" "));
    table.SetCell(column::kGrade, 2, QStringLiteral(" - "));
    EXPECT_EQ(RowTitle(table, 2), QStringLiteral(".   ()   ()   - "));
}

TEST(ReadoutText, TimeIsTruncatedTowardZero) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(ReadoutText(12.9, 45.125, Language::English),
              QStringLiteral("Time 12 s       Pressure 45.125 kPa"));
    EXPECT_TRUE(ReadoutText(-0.5, 45.125, Language::English).startsWith("Time 0 s "));
    EXPECT_TRUE(ReadoutText(-1.5, 45.125, Language::English).startsWith("Time -1 s "));
    EXPECT_FALSE(ReadoutText(1e300, 1.0, Language::English).contains('-'));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

TEST(ReadoutText, PressureHasThreeDecimalsWithTheLocalesSeparator) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(ReadoutText(3.0, 45.1, Language::Russian),
              QStringLiteral("Время 3 с       Давление 45,100 кПа"));
    EXPECT_TRUE(ReadoutText(3.0, 1234.5678, Language::Russian).endsWith(" 1234,568 кПа"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(ReadoutText(3.0, 45.1, Language::Russian).endsWith(" 45.100 кПа"));
    EXPECT_TRUE(ReadoutText(3.0, -0.0004, Language::English).endsWith(" 0.000 kPa"));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

}  // namespace
}  // namespace porvel
