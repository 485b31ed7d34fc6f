// What the spreadsheet gets of each cell, how the table is cut into sheets, and the widths.
#include "output/cell_value.h"

#include <gtest/gtest.h>

#include <QLocale>

#include "../qt_printers.h"
#include "output/spreadsheet_export.h"

namespace porvel {
namespace {

class CellValueTest : public ::testing::Test {
protected:
    void TearDown() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        ResetTimeFormat();
    }
    // The cell `text` in column `col` of a row, as the export sees it.
    const CellValue& Cell(CellClassifier& c, const QString& text, int col = column::kM) {
        table_.SetCell(col, 1, text);
        const CellValue& value = c.Classify(table_, col, 1);
        table_.SetCell(col, 1, QString());
        return value;
    }
    QString FormatOf(CellClassifier& c, const QString& text, int col = column::kM) {
        const CellValue& v = Cell(c, text, col);
        return v.format < 0 ? QString() : c.Formats()[static_cast<std::size_t>(v.format)];
    }
    ArchiveTable table_;
};

TEST_F(CellValueTest, NumbersKeepTheirDigitsThroughTheirFormat) {
    CellClassifier c;
    EXPECT_EQ(Cell(c, "101,3").kind, CellKind::Number);
    EXPECT_DOUBLE_EQ(Cell(c, "101,3").number, 101.3);
    EXPECT_EQ(FormatOf(c, "101,3"), "0.0");
    EXPECT_EQ(FormatOf(c, "0,0800"), "0.0000");
    EXPECT_EQ(FormatOf(c, "12", column::kNumber), "0");
    EXPECT_EQ(FormatOf(c, "-2,5"), "0.0");
    EXPECT_EQ(FormatOf(c, "1,500E-03"), "0.000E+00");
    // One format per distinct pattern, shared by the cells that use it.
    EXPECT_EQ(Cell(c, "7,1").format, Cell(c, "101,3").format);
}

TEST_F(CellValueTest, TextsThatWouldNotShowTheSameStayText) {
    CellClassifier c;
    for (const char* text :
         {"W8", " - ", "NAN", "Плита", "1.2.3", "1,5E-3", " 12", "007", "-0,0", "1 000", "1.000,5",
          "5/11/2026", "=1+2", "+7", "12345678901234567890", "1,2345678901234567"})
        EXPECT_EQ(Cell(c, QString::fromUtf8(text)).kind, CellKind::Text) << text;
    EXPECT_EQ(Cell(c, "").kind, CellKind::Empty);
    // Names are names, whatever they look like.
    EXPECT_EQ(Cell(c, "12", column::kObject).kind, CellKind::Text);
}

TEST_F(CellValueTest, DatesAndTimesBecomeSerialsFormattedAsTheTableShowsThem) {
    UseHoursMinutesTimeFormat();
    CellClassifier c;
    const CellValue& date = Cell(c, "05.11.2026", column::kDate);
    EXPECT_EQ(date.kind, CellKind::Number);
    EXPECT_DOUBLE_EQ(date.number, 46331);  // days since 30 December 1899
    EXPECT_EQ(FormatOf(c, "05.11.2026", column::kDate), "dd\\.mm\\.yyyy");
    const CellValue& time = Cell(c, "10:30", column::kTime);
    EXPECT_DOUBLE_EQ(time.number, 10.5 / 24);
    EXPECT_EQ(FormatOf(c, "10:30", column::kTime), "hh\\:mm");
    // Before 1 March 1900 spreadsheets count a day that never was.
    EXPECT_EQ(Cell(c, "28.02.1900", column::kDate).kind, CellKind::Text);
    EXPECT_EQ(Cell(c, "31.02.2026", column::kDate).kind, CellKind::Text);
}

TEST_F(CellValueTest, EnglishLocaleDatesTimesAndSeparators) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    CellClassifier c;
    EXPECT_EQ(FormatOf(c, "101.3"), "0.0");
    EXPECT_EQ(FormatOf(c, "11/5/2026", column::kDate), "m\\/d\\/yyyy");
    // An archive read on a Russian desktop: its numbers and dates stay numbers and dates.
    EXPECT_DOUBLE_EQ(Cell(c, "101,3").number, 101.3);
    EXPECT_EQ(FormatOf(c, "101,3"), "0.0");
    EXPECT_EQ(FormatOf(c, "2,500E-01"), "0.000E+00");
    EXPECT_DOUBLE_EQ(Cell(c, "05.11.2026", column::kDate).number, 46331);
    EXPECT_EQ(FormatOf(c, "05.11.2026", column::kDate), "dd\\.mm\\.yyyy");
    EXPECT_EQ(SpreadsheetDateTimeFormat("h:mm AP"), "h\\:mm\\ AM/PM");
    EXPECT_EQ(SpreadsheetDateTimeFormat("HH:mm:ss.zzz"), "");  // milliseconds cannot be shown
    EXPECT_EQ(SpreadsheetDateTimeFormat("d 'de' MMMM"), "d\\ \\d\\e\\ mmmm");
}

TEST(SheetSplit, SheetsOfAtMost65535TableRowsNamedFromOne) {
    const QString title = QStringLiteral("Архив измерений ");
    const auto ten = SplitIntoSheets(11, title);
    ASSERT_EQ(ten.size(), 1u);
    EXPECT_EQ(ten[0].name, "Архив измерений 1");
    EXPECT_EQ(ten[0].rows, 11);
    EXPECT_EQ(SplitIntoSheets(65535, title).size(), 1u);
    const auto two = SplitIntoSheets(65536, QStringLiteral("Archive of measurements "));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1].name, "Archive of measurements 2");
    EXPECT_EQ(two[1].firstRow, 65535);
    EXPECT_EQ(two[1].rows, 1);
    EXPECT_TRUE(SplitIntoSheets(0, title).empty());
}

TEST(ColumnWidth, FittedToTheLongestTextInCharactersWithinTheLimit) {
    ColumnWidths w;
    w.Take(0, QStringLiteral("№"));
    w.Take(0, QStringLiteral("65535"));
    w.Take(1, QString::fromUtf8("\xF0\x9F\x98\x80"));  // one character, two UTF-16 units
    w.Take(2, QString(300, QLatin1Char('x')));
    EXPECT_GT(w.Width(0), 5);
    EXPECT_LT(w.Width(0), 8);
    EXPECT_EQ(w.Width(1) - w.Width(3), 1);
    EXPECT_EQ(w.Width(2), ColumnWidths::kMaxWidth);
}

TEST(ExportFormatChoice, ByExtensionAnyCaseXlsxOtherwise) {
    EXPECT_EQ(FormatForPath("/a/Arhive.xls"), ExportFormat::Xls);
    EXPECT_EQ(FormatForPath("/a/Arhive.XLS"), ExportFormat::Xls);
    EXPECT_EQ(FormatForPath("/a/Arhive.csv"), ExportFormat::Csv);
    EXPECT_EQ(FormatForPath("/a/Arhive.xls.xlsx"), ExportFormat::Xlsx);
    EXPECT_EQ(FormatForPath("/a/Arhive"), ExportFormat::Xlsx);
    EXPECT_EQ(FormatForPath("/a/Arhive.ods"), ExportFormat::Xlsx);
}

}  // namespace
}  // namespace porvel
