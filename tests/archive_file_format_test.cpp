// The archive file byte for byte: what the writer puts down and how the reader takes cells.
#include <gtest/gtest.h>

#include <QBuffer>

#include "archive/archive_file.h"
#include "archive_bytes.h"
#include "qt_printers.h"

namespace porvel {
namespace {

using namespace testing;

QByteArray Written(const ArchiveTable& table, const CurveStore& curves) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteArchive(table, curves, buffer));
    return buffer.data();
}

class ArchiveFileFormat : public ::testing::Test {
protected:
    ArchiveTable table_;
    CurveStore curves_;
};

TEST_F(ArchiveFileFormat, TwoRowsWithCurvesOfFiveAndThreeWords) {
    table_.SetGridRowCount(3);
    RowCells first = MeasurementCells(12, 5, 0);
    first[column::kObject] = QStringLiteral("Плита");
    first[column::kH] = QString();
    const RowCells second = MeasurementCells(13, 3, 1);
    PutRow(table_, 1, first);
    PutRow(table_, 2, second);
    // Words past each curve's length are not the curve's and stay out of the file.
    PutCurve(curves_, 0, CurveOf(12, 40));
    PutCurve(curves_, 1, CurveOf(13, 40));

    QByteArray expected;
    expected += QByteArray::fromHex(
        "0d000000"
        "03000000");
    expected += QByteArray::fromHex("02000000") + "12";  // the number cell
    for (int col = column::kTime; col < column::kObject; ++col)
        expected += ArchiveBytes().Cell(ToCp1251(first[col])).Bytes();
    expected += QByteArray::fromHex(
        "05000000"
        "cfebe8f2e0");  // Плита in Windows-1251
    for (int col = column::kMaterial; col < column::kH; ++col)
        expected += ArchiveBytes().Cell(ToCp1251(first[col])).Bytes();
    expected += QByteArray::fromHex("00000000");  // the empty h cell: a length and nothing
    for (int col = column::kGrade; col < ArchiveTable::kColumns; ++col)
        expected += ArchiveBytes().Cell(ToCp1251(first[col])).Bytes();
    expected += ArchiveBytes().Words(CurveOf(12, 5)).Bytes();
    expected += ArchiveBytes().Row(second).Words(CurveOf(13, 3)).Bytes();

    EXPECT_EQ(Written(table_, curves_).toHex(' '), expected.toHex(' '));
}

TEST_F(ArchiveFileFormat, RowsWithoutACurveLengthCarryNoWords) {
    // Row 1 as New leaves it, row 2 as a sort leaves an empty row: every cell one blank.
    table_.SetGridRowCount(4);
    RowCells blanks;
    blanks.fill(QStringLiteral(" "));
    PutRow(table_, 2, blanks);
    PutRow(table_, 3, MeasurementCells(7, 2, 0));
    PutCurve(curves_, 0, CurveOf(7, 2));

    ArchiveBytes expected;
    expected.Count(13).Count(4).Row(RowCells{}).Row(blanks);
    expected.Row(MeasurementCells(7, 2, 0)).Words(CurveOf(7, 2));
    const QByteArray written = Written(table_, curves_);
    EXPECT_EQ(written.toHex(' '), expected.Bytes().toHex(' '));
    EXPECT_EQ(written.mid(8 + 13 * 4, 5), QByteArray::fromHex("0100000020"));

    ArchiveTable back;
    CurveStore curves;
    ASSERT_TRUE(ReadArchiveBytes(written, back, curves).Ok());
    EXPECT_EQ(CellsOf(back).mid(13), CellsOf(table_).mid(13));
}

TEST_F(ArchiveFileFormat, EveryByteOfACellIsACharacterUpToTheFirstZero) {
    QByteArray everyByte;
    for (int byte = 1; byte < 256; ++byte) everyByte.append(static_cast<char>(byte));
    RowCells cells = MeasurementCells(1, 0, 0);
    ArchiveBytes file;
    file.Count(13).Count(3);
    file.Cell(everyByte);
    for (int col = 1; col < ArchiveTable::kColumns; ++col) file.Cell(ToCp1251(cells[col]));
    file.Cell(
        QByteArray("5\0"
                   "77",
                   4));  // a number cell that stops at its zero byte
    for (int col = 1; col < ArchiveTable::kColumns; ++col) file.Cell(ToCp1251(cells[col]));

    ASSERT_TRUE(ReadArchiveBytes(file.Bytes(), table_, curves_).Ok());
    EXPECT_EQ(table_.Cell(column::kNumber, 1), FromCp1251(everyByte));
    EXPECT_EQ(table_.Cell(column::kNumber, 1).size(), 255);
    EXPECT_EQ(table_.Cell(column::kNumber, 2), QStringLiteral("5"));
    // Written back, the 255 characters are the 255 bytes again.
    EXPECT_TRUE(Written(table_, curves_).contains(ArchiveBytes().Cell(everyByte).Bytes()));
}

}  // namespace
}  // namespace porvel
