// Archives written and read back: every cell and curve returns, and every row keeps its own
// curve however the rows were ordered or numbered their slots.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "archive/archive_file.h"
#include "archive_bytes.h"
#include "qt_printers.h"

namespace porvel {
namespace {

using namespace testing;

class ArchiveRoundTrip : public ::testing::Test {
protected:
    // Writes the table to a file and reads it into `back_` and `backCurves_`.
    void SaveAndReopen() {
        const QString path = dir_.filePath(QStringLiteral("Архив 1.wpa"));
        ASSERT_TRUE(WriteArchiveFile(table_, curves_, path).Ok());
        const ArchiveFileResult read = ReadArchiveFile(path, back_, backCurves_);
        ASSERT_TRUE(read.Ok());
        EXPECT_EQ(read.dataRows, table_.GridRowCount() - 1);
    }
    // The curve the row's slot cell names, as long as the row's curve length cell says.
    std::vector<std::uint16_t> CurveOfRow(const ArchiveTable& table, const CurveStore& curves,
                                          int row) const {
        return WordsIn(curves, table.SlotOf(row).value_or(-1),
                       table.Cell(column::kCurveLength, row).toInt());
    }

    QTemporaryDir dir_;
    ArchiveTable table_;
    CurveStore curves_;
    ArchiveTable back_;
    CurveStore backCurves_;
};

TEST_F(ArchiveRoundTrip, EveryCellAndEveryCurveComesBack) {
    FillArchive(table_, curves_, 3);
    table_.SetCell(column::kMaterial, 2, QStringLiteral("  ёЁ «Бетон» —\t№ 5 "));
    table_.SetCell(column::kH, 3, QString());
    table_.SetCell(column::kCurveLength, 3, QString::number(CurveStore::kMaxCurveWords));
    PutCurve(curves_, 2, CurveOf(13, static_cast<int>(CurveStore::kMaxCurveWords)));
    table_.SetHeaderLanguage(Language::Russian);
    back_.SetHeaderLanguage(Language::English);
    PutCurve(backCurves_, 0, CurveOf(99, 100));  // what was there before

    SaveAndReopen();
    // Row 0 is not in the file: the reading table keeps its own header.
    EXPECT_EQ(CellsOf(back_).mid(ArchiveTable::kColumns),
              CellsOf(table_).mid(ArchiveTable::kColumns));
    EXPECT_EQ(back_.Header(column::kTime), QStringLiteral("Time"));
    for (int row = 1; row < table_.GridRowCount(); ++row)
        EXPECT_EQ(CurveOfRow(back_, backCurves_, row), CurveOfRow(table_, curves_, row)) << row;
}

TEST_F(ArchiveRoundTrip, ASortedTableKeepsEachRowsCurve) {
    FillArchive(table_, curves_, 4);
    // Rows in another order, slots no longer in order, empty cells turned into blanks.
    const std::vector<int> order = {3, 1, 4, 2};
    ArchiveTable sorted;
    sorted.SetGridRowCount(5);
    for (int row = 1; row <= 4; ++row)
        for (int col = 0; col < ArchiveTable::kColumns; ++col) {
            const QString cell = table_.Cell(col, order[static_cast<std::size_t>(row - 1)]);
            sorted.SetCell(col, row, cell.isEmpty() ? QStringLiteral(" ") : cell);
        }
    sorted.SetCell(column::kH, 2, QStringLiteral(" "));
    const QStringList sortedCells = CellsOf(sorted);

    const QString path = dir_.filePath(QStringLiteral("sorted.wpa"));
    ASSERT_TRUE(WriteArchiveFile(sorted, curves_, path).Ok());
    ASSERT_TRUE(ReadArchiveFile(path, back_, backCurves_).Ok());
    EXPECT_EQ(CellsOf(back_).mid(13), sortedCells.mid(13));
    for (int row = 1; row <= 4; ++row) {
        const int number = back_.Cell(column::kNumber, row).toInt();
        EXPECT_EQ(CurveOfRow(back_, backCurves_, row), CurveOf(number, 3 + number - 10)) << row;
    }
}

TEST_F(ArchiveRoundTrip, RowsNamingTheSameSlotGetSlotsOfTheirOwn) {
    // Rows 1 and 3 both name slot 1, row 4 a wild number far beyond the file's rows.
    const std::vector<int> named = {1, 0, 1, 1 << 20};
    ArchiveBytes file;
    file.Count(13).Count(5);
    for (int i = 0; i < 4; ++i)
        file.Row(MeasurementCells(20 + i, 4, named[static_cast<std::size_t>(i)]))
            .Words(CurveOf(20 + i, 4));

    const ArchiveFileResult read = ReadArchiveBytes(file.Bytes(), back_, backCurves_);
    ASSERT_TRUE(read.Ok());
    EXPECT_EQ(read.dataRows, 4);
    QStringList slotCells;
    for (int row = 1; row <= 4; ++row) {
        slotCells << back_.Cell(column::kSlot, row);
        EXPECT_EQ(CurveOfRow(back_, backCurves_, row), CurveOf(19 + row, 4)) << row;
    }
    // The first claim keeps its number; the others take the lowest ones no row keeps.
    EXPECT_EQ(slotCells, (QStringList{"1", "0", "2", "3"}));
}

TEST_F(ArchiveRoundTrip, SlotNumbersOfLargeArchivesStayAsTheyAre) {
    const int rows = kKeptSlotNumbers + 44;
    table_.SetGridRowCount(rows + 1);
    for (int row = 1; row <= rows; ++row) {
        PutRow(table_, row, MeasurementCells(row, 3, row - 1));
        PutCurve(curves_, row - 1, CurveOf(row, 3));
    }
    SaveAndReopen();
    EXPECT_EQ(backCurves_.CurveCount(), static_cast<std::size_t>(rows));
    EXPECT_EQ(CellsOf(back_), CellsOf(table_));
    EXPECT_EQ(CellsOf(back_).mid(13), CellsOf(table_).mid(13));
    for (int row = 1; row <= rows; ++row)
        ASSERT_EQ(CurveOfRow(back_, backCurves_, row), CurveOf(row, 3)) << row;
}

// Nothing is converted on the way: every file we keep (foreign number forms, texts that are no
// number, single blanks left by a sort among them) opens and saves byte for byte on a Russian and
// on an English desktop.
TEST_F(ArchiveRoundTrip, TheFilesWeKeepAsFuzzSeedsOpenAndSaveByteForByteOnBothDesktops) {
    const QDir corpus(QStringLiteral(PORVEL_FUZZ_CORPUS));
    const QStringList seeds = corpus.entryList(QDir::Files);
    ASSERT_FALSE(seeds.isEmpty());
    const QLocale saved;
    for (const QLocale& desktop : {QLocale(QLocale::Russian, QLocale::Russia),
                                   QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(desktop);
        for (const QString& seed : seeds) {
            const std::string name = (seed + QLatin1Char(' ') + desktop.name()).toStdString();
            ArchiveTable table;
            CurveStore curves;
            const ArchiveFileResult read = ReadArchiveFile(corpus.filePath(seed), table, curves);
            ASSERT_TRUE(read.Ok()) << name;
            EXPECT_GE(read.dataRows, 1) << name;
            const QString copy = dir_.filePath(seed);
            ASSERT_TRUE(WriteArchiveFile(table, curves, copy).Ok()) << name;
            QFile original(corpus.filePath(seed)), written(copy);
            ASSERT_TRUE(original.open(QIODevice::ReadOnly) && written.open(QIODevice::ReadOnly));
            EXPECT_EQ(written.readAll(), original.readAll()) << name;
        }
    }
    QLocale::setDefault(saved);
}

TEST_F(ArchiveRoundTrip, AForeignTextInANumericCellIsKeptAndHasNoValue) {
    const QString seed = QDir(QStringLiteral(PORVEL_FUZZ_CORPUS)).filePath("foreign_texts.wpa");
    ASSERT_TRUE(ReadArchiveFile(seed, back_, backCurves_).Ok());
    EXPECT_EQ(back_.Cell(column::kM, 1), QStringLiteral("сорок"));
    EXPECT_FALSE(back_.Values(1).m);
    EXPECT_EQ(back_.Cell(column::kAtmosphere, 1), QStringLiteral("1,250E+01"));
    EXPECT_EQ(back_.Values(1).atmosphere, 12.5);
    EXPECT_EQ(back_.Values(2).date, QDate(2024, 5, 3));
}

}  // namespace
}  // namespace porvel
