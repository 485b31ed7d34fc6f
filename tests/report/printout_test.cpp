// Both printouts written to PDF and read back by poppler-utils: the listing of the archive table
// and the test record with its chart; the fixed-width line rule, the counters of the passes and
// the pages they fill.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

#include "archive/curve_store.h"
#include "base/locale_format.h"
#include "curve/chart_save.h"
#include "curve_rows.h"
#include "output/table_listing.h"
#include "output/test_record.h"
#include "plot/chart_copy.h"
#include "poppler.h"

using namespace porvel;
using porvel::testing::kListingPitch;
using porvel::testing::kTestRecordPitch;
using porvel::testing::LineIndex;
using porvel::testing::PdfLines;
using porvel::testing::Poppler;

namespace {

const QDateTime kNow(QDate(2024, 5, 3), QTime(14, 5));

// Row `row` as a read of the instrument writes it, its number `number`, with a curve of
// `samples` words rising from the chamber's vacuum towards the atmosphere.
void PutRow(ArchiveTable& table, CurveStore& curves, int row, const QString& number,
            int samples = 600, const QString& rate = QStringLiteral("10")) {
    porvel::testing::CurveRow m;
    m.samples = samples;
    m.rate = rate;
    m.slot = row - 1;
    m.word = [row](int i) { return static_cast<std::uint16_t>(4500 + 8000 * i / (i + 60 + row)); };
    PutMeasurement(table, curves, row, m);
    table.SetCell(column::kNumber, row, number);
    table.SetCell(column::kAtmosphere, row, QStringLiteral("101,3"));
    table.SetCell(column::kM, row, QStringLiteral("2,5"));
    table.SetCell(column::kA, row, QStringLiteral("0,4000"));
    table.SetCell(column::kH, row, QStringLiteral("1,2"));
}

class Printouts : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        UseHoursMinutesTimeFormat();
        table_.SetHeaderLanguage(Language::Russian);
    }
    // In PORVEL_PRINTOUT_DIR when set: scripts/screenshots.sh takes the README's example pages
    // from there.
    QString Pdf(BandedReport& report, const QString& name) {
        const QString kept = qEnvironmentVariable("PORVEL_PRINTOUT_DIR");
        const QString path = kept.isEmpty() ? dir_.filePath(name) : QDir(kept).filePath(name);
        QString reason;
        EXPECT_TRUE(WriteReportPdf(report, path, &reason)) << qPrintable(reason);
        return path;
    }

    QTemporaryDir dir_;
    ArchiveTable table_;
    CurveStore curves_;
};

}  // namespace

TEST(FixedWidthLine, TrimsPadsAndNeverCuts) {
    const int widths[] = {2, 6, 4, 0};
    EXPECT_EQ(FixedWidthLine({QStringLiteral(" 7\t"), QStringLiteral("10:05"),
                              QStringLiteral("\x01"
                                             "ab "),
                              QStringLiteral(" W8 ")},
                             widths),
              QStringLiteral("7 10:05 ab  W8"));
    // A field is never cut: 100 pushes the rest one place to the right.
    EXPECT_EQ(FixedWidthLine(
                  {QStringLiteral("100"), QStringLiteral("10:05"), QString(), QStringLiteral("W8")},
                  widths),
              QStringLiteral("10010:05     W8"));
}

TEST(PrintoutDateTime, TheTimeIsLeftOutAtExactlyMidnight) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    UseHoursMinutesTimeFormat();
    EXPECT_EQ(PrintoutDateTime(kNow), QStringLiteral("03.05.2024 14:05"));
    EXPECT_EQ(PrintoutDateTime(QDateTime(QDate(2024, 5, 3), QTime(0, 0))),
              QStringLiteral("03.05.2024"));
    EXPECT_EQ(PrintoutDateTime(QDateTime(QDate(2024, 5, 3), QTime(0, 0, 0, 1))),
              QStringLiteral("03.05.2024 00:00"));
}

TEST(FormatGeneral, FifteenDigitsWithoutTrailingZeros) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(FormatGeneral(1.0 / 10), QStringLiteral("0,1"));
    EXPECT_EQ(FormatGeneral(1.0 / 3), QStringLiteral("0,333333333333333"));
    EXPECT_EQ(FormatGeneral(1.0 / 65535), QStringLiteral("1,52590218966964E-5"));
    EXPECT_EQ(FormatGeneral(0.0001), QStringLiteral("0,0001"));
    EXPECT_EQ(FormatGeneral(2.0), QStringLiteral("2"));
    EXPECT_EQ(FormatGeneral(-2.5e20), QStringLiteral("-2,5E20"));
    EXPECT_EQ(FormatGeneral(0.0), QStringLiteral("0"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FormatGeneral(0.00001), QStringLiteral("1E-5"));
    EXPECT_EQ(FormatGeneral(123456789012345.0), QStringLiteral("123456789012345"));
    EXPECT_EQ(FormatGeneral(1e15), QStringLiteral("1E15"));
}

TEST_F(Printouts, ListingOfThreeRowsReadsBackLineForLine) {
    PutRow(table_, curves_, 1, QStringLiteral("  7 "));
    PutRow(table_, curves_, 2, QStringLiteral("12"));
    PutRow(table_, curves_, 3, QStringLiteral("13"));
    table_.SetGridRowCount(4);
    table_.SetCell(column::kMaterial, 2, QStringLiteral("Бетон тяжёлый мелкозернис"));  // 25 long
    TableListingReport report(table_, Language::Russian, kNow);
    EXPECT_EQ(report.Title(), QStringLiteral("Предпросмотр печати"));

    // The line band prints an empty entry for the header, then the rows; every pass the same.
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(report.NextLine(), QString());
        EXPECT_EQ(report.NextLine(), report.Lines()[1]);
        EXPECT_EQ(report.NextLine(), report.Lines()[2]);
        EXPECT_EQ(report.NextLine(), report.Lines()[3]);
    }

    const QString pdf = Pdf(report, QStringLiteral("listing.pdf"));
    const QStringList lines = PdfLines(pdf, kListingPitch);
    const int title = LineIndex(lines, QStringLiteral("Архив измерений 03.05.2024 14:05"));
    ASSERT_GE(title, 0) << qPrintable(lines.join('\n'));
    const int header = LineIndex(
        lines, QStringLiteral("№         Время     Дата           Объект         Материал       "
                              "          Ратм, кПа      m, с/см3       a, см3/с       h, см        "
                              "Марка водонепроницаемости"));
    EXPECT_EQ(header, title + 1) << qPrintable(lines.join('\n'));
    const QString first = QStringLiteral(
        "7         10:01     03.05.2024     Мост           Бетон B25                101,3          "
        "2,5            0,4000         1,2          W8");
    const int row1 = LineIndex(lines, first, header + 1);
    EXPECT_GT(row1, header);
    // 25 characters fill the material's field: the pressure follows without a blank.
    EXPECT_EQ(LineIndex(lines,
                        QStringLiteral("12        10:02     03.05.2024     Мост           Бетон "
                                       "тяжёлый мелкозернис101,3          2,5            0,4000  "
                                       "       1,2          W8"),
                        row1 + 1),
              row1 + 1);
    EXPECT_TRUE(lines[row1 + 2].trimmed().startsWith(QStringLiteral("13 ")));
    EXPECT_GT(LineIndex(lines, QStringLiteral("1"), row1 + 3), row1 + 2);  // the page number

    const QString info = Poppler(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    EXPECT_TRUE(info.contains(QStringLiteral("842 x 595 pts (A4)"))) << qPrintable(info);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Предпросмотр печати"))));
    // Every font is embedded: the two faces of the listing, and no other.
    const QStringList fonts = Poppler(QStringLiteral("pdffonts"), {pdf}).split('\n').mid(2);
    QStringList faces;
    for (const QString& row : fonts) {
        if (row.trimmed().isEmpty()) continue;
        const QStringList fields = row.split(' ', Qt::SkipEmptyParts);
        ASSERT_GE(fields.size(), 5) << qPrintable(row);
        EXPECT_EQ(fields[fields.size() - 5], QStringLiteral("yes")) << qPrintable(row);  // emb
        faces << fields[0].split('+').last();  // without a subset's tag
    }
    faces.removeDuplicates();
    faces.sort();
    EXPECT_EQ(faces,
              QStringList({QStringLiteral("LiberationMono"), QStringLiteral("LiberationSans"),
                           QStringLiteral("LiberationSans-Bold")}));
}

TEST_F(Printouts, ALongListingRepeatsTitleAndHeaderOnEveryPageAndPrintsAlike) {
    table_.SetHeaderLanguage(Language::English);
    const int rows = 100;
    for (int row = 1; row <= rows; ++row) PutRow(table_, curves_, row, QString::number(row), 0);
    TableListingReport report(table_, Language::English, kNow);
    EXPECT_EQ(report.Title(), QStringLiteral("Print Preview"));
    EXPECT_EQ(PageCount(report), 3);  // 45 line bands a page, the header's empty one included

    const QString pdf = Pdf(report, QStringLiteral("long.pdf"));
    const QString again = Pdf(report, QStringLiteral("again.pdf"));
    EXPECT_EQ(PdfLines(pdf, kListingPitch), PdfLines(again, kListingPitch));
    EXPECT_TRUE(Poppler(QStringLiteral("pdfinfo"), {pdf})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));
    const int lastOnPage[] = {44, 89, 100};
    for (int page = 1; page <= 3; ++page) {
        const QStringList lines = PdfLines(pdf, kListingPitch, page, page);
        const int title =
            LineIndex(lines, QStringLiteral("Archive of measurements 03.05.2024 14:05"));
        ASSERT_GE(title, 0) << page;
        EXPECT_TRUE(lines[title + 1].trimmed().startsWith(
            QStringLiteral("№         Time      Date           Object         Material")));
        const int last = LineIndex(lines, report.Lines()[lastOnPage[page - 1]].trimmed());
        EXPECT_GT(last, title + 1) << page;
        EXPECT_GE(LineIndex(lines, QString::number(page), last + 1), 0) << page;
    }
}

TEST_F(Printouts, TestRecordReadsBackWithItsTableAndAVectorChart) {
    PutRow(table_, curves_, 1, QStringLiteral("7"), 600,
           QStringLiteral("10"));  // 602 words at 10 a second
    PutRow(table_, curves_, 2, QStringLiteral("12"), 300, QStringLiteral("5"));
    PutRow(table_, curves_, 3, QStringLiteral("100"), 200, QStringLiteral("2"));
    QCustomPlot chart;
    const std::vector<int> plotted =
        PlotRows(chart, table_, curves_, {1, 2, 1, 3}, Language::Russian);
    ASSERT_EQ(plotted, std::vector<int>({1, 2, 1, 3}));
    TestRecordReport report(table_, plotted, chart, Language::Russian, kNow);
    EXPECT_EQ(report.Title(), QStringLiteral("Бланк протокола испытаний"));
    EXPECT_EQ(report.CreatedText(), QStringLiteral("03.05.2024 14:05"));

    // Five lines, the header alone with a rule above it; every pass starts with the header.
    for (int pass = 0; pass < 2; ++pass)
        for (int line = 0; line < 5; ++line) {
            const TestRecordReport::PrintedLine printed = report.NextLine();
            EXPECT_EQ(printed.text, report.Lines()[static_cast<std::size_t>(line)]);
            EXPECT_EQ(printed.frame.top, line == 0);
            EXPECT_TRUE(printed.frame.bottom && printed.frame.left && printed.frame.right);
        }

    // The number 100 widens its column: the lines' font shrinks so that the longest line stays
    // inside the band (0.6 em a character, the band 277.1 mm less the text's two margins).
    const double points = report.LineFont().pointSizeF();
    constexpr double kMmPerPoint = 25.4 / 72;
    qsizetype longest = 0;
    for (const QString& line : report.Lines()) longest = std::max(longest, line.size());
    EXPECT_LE(longest * 0.6 * points * kMmPerPoint, 277.1 - 2 * 1.1);

    const QString pdf = Pdf(report, QStringLiteral("record.pdf"));
    const QStringList lines = PdfLines(pdf, 0.6 * points);
    const QString row1 = QStringLiteral(
        "7   10:01 03.05.2024 Мост       Бетон B25 60              0,1       101,3     2,5       "
        "0,4000    1,2     W8");
    const int header = LineIndex(
        lines, QStringLiteral("№   Время Дата       Объект     Материал  Длительность,с  Период,с  "
                              "Ратм,кПа  m,с/см3   a,см3/с   h,см    Марка водонепроницаемости"));
    ASSERT_GE(header, 0) << qPrintable(lines.join('\n'));
    const int first = LineIndex(lines, row1, header + 1);
    EXPECT_GT(first, header);
    EXPECT_TRUE(lines[first + 1].trimmed().startsWith(QStringLiteral("12  10:02 03.05.2024")));
    EXPECT_GE(LineIndex(lines, row1, first + 1), 0) << "a row plotted twice prints twice";
    EXPECT_GE(
        LineIndex(lines, QStringLiteral("100 10:03 03.05.2024 Мост       Бетон B25 101             "
                                        "0,5       101,3     2,5       0,4000    1,2     W8")),
        0);
    const QString text = lines.join('\n');
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Страница\\s+1\\s*из\\s+1"))));
    EXPECT_TRUE(text.contains(QStringLiteral("Измерение провел:__________________")));
    // The chart is drawn as vectors: its titles and legend are text, and no picture is there.
    EXPECT_TRUE(text.contains(QStringLiteral("Давление, кПа")));
    EXPECT_TRUE(text.contains(QRegularExpression(
        QStringLiteral("7\\.\\s+10:01 \\(03\\.05\\.2024\\)\\s+Мост\\(Бетон B25\\)\\s+W8"))))
        << qPrintable(text);
    const QStringList images =
        Poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split('\n');
    EXPECT_EQ(images.filter(QRegularExpression(QStringLiteral("\\S"))).size(), 2)
        << qPrintable(images.join('\n'));  // the column titles and their rule only
}

// The words of one PDF page as pdftotext -bbox places them, in reading order.
struct PdfWord {
    QString text;
    double left, top, right;
};
std::vector<PdfWord> PdfWords(const QString& pdf) {
    const QString html =
        Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    std::vector<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.push_back({m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble()});
    }
    return words;
}

// The words, left to right, on the first line below `below` whose first word in the PDF's own
// order is `first`.
std::vector<PdfWord> LineOf(const std::vector<PdfWord>& words, const QString& first,
                            double below = -1) {
    std::vector<PdfWord> line;
    for (const PdfWord& w : words)
        if ((line.empty() && w.text == first && w.top > below) ||
            (!line.empty() && qAbs(w.top - line[0].top) < 1))
            line.push_back(w);
    std::sort(line.begin(), line.end(),
              [](const PdfWord& a, const PdfWord& b) { return a.left < b.left; });
    return line;
}

TEST_F(Printouts, TestRecordCellsStandWholeApartAndUnderTheirHeaders) {
    PutRow(table_, curves_, 1, QStringLiteral("65535"));
    PutRow(table_, curves_, 2, QStringLiteral("3"));
    table_.SetCell(column::kObject, 1, QStringLiteral("Подпорн.стена1"));  // 14, as kept
    table_.SetCell(column::kMaterial, 1, QStringLiteral("Керамзитобетон"));
    table_.SetCell(column::kMaterial, 2, QStringLiteral("B25"));
    QCustomPlot chart;
    PlotRows(chart, table_, curves_, {1, 2}, Language::Russian);
    // The pointer's marker and its value mark, as the chart window shows them.
    chart.graph(0)->addData(12.0, 71.503);
    auto* mark = new QCPItemText(&chart);
    mark->setText(QStringLiteral("71,503"));
    mark->position->setCoords(12.0, 71.503);
    TestRecordReport report(table_, {1, 2}, chart, Language::Russian, kNow);
    const std::vector<PdfWord> words = PdfWords(Pdf(report, QStringLiteral("wide.pdf")));

    const std::vector<PdfWord> header = LineOf(words, QStringLiteral("№"));
    ASSERT_FALSE(header.empty());
    const std::vector<PdfWord> wide = LineOf(words, QStringLiteral("65535"), header[0].top);
    const std::vector<PdfWord> narrow = LineOf(words, QStringLiteral("3"), header[0].top);
    const QStringList cells = {QStringLiteral("65535"), QStringLiteral("10:01"),
                               QStringLiteral("03.05.2024"), QStringLiteral("Подпорн.стена1"),
                               QStringLiteral("Керамзитобетон")};
    ASSERT_EQ(header.size(), 13u);  // the grade's title is two words
    ASSERT_EQ(wide.size(), 12u);
    ASSERT_EQ(narrow.size(), 12u);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (i < static_cast<std::size_t>(cells.size())) {
            EXPECT_EQ(wide[i].text, cells[int(i)]);
        }
        // Every value starts where its title starts, and ends before the next one begins.
        EXPECT_NEAR(wide[i].left, header[i].left, 0.5) << qPrintable(wide[i].text);
        EXPECT_NEAR(narrow[i].left, header[i].left, 0.5) << qPrintable(narrow[i].text);
        if (i + 1 < wide.size()) {
            EXPECT_LT(wide[i].right, wide[i + 1].left);
        }
    }
    for (const PdfWord& w : words) EXPECT_NE(w.text, QStringLiteral("71,503"));
}

TEST_F(Printouts, TestRecordInEnglishCountsItsPagesInTheHeader) {
    PutRow(table_, curves_, 1, QStringLiteral("7"));
    QCustomPlot chart;
    const std::vector<int> rows(40, 1);
    TestRecordReport report(table_, PlotRows(chart, table_, curves_, rows, Language::English),
                            chart, Language::English, kNow);
    EXPECT_EQ(PageCount(report), 3);  // 9 lines under the chart, then 31 a page
    const QString pdf = Pdf(report, QStringLiteral("record_en.pdf"));
    for (int page = 1; page <= 3; ++page) {
        const QString text = PdfLines(pdf, kTestRecordPitch, page, page).join('\n');
        EXPECT_TRUE(
            text.contains(QRegularExpression(QStringLiteral("Page\\s+%1\\s*/\\s+3").arg(page))))
            << qPrintable(text);
        EXPECT_TRUE(text.contains(QStringLiteral("Measuring held: __________________")));
    }
}

TEST_F(Printouts, TheCopyOfTheChartKeepsItsRangesButNotThePointersMarker) {
    PutRow(table_, curves_, 1, QStringLiteral("7"));
    QCustomPlot chart;
    PlotRows(chart, table_, curves_, {1}, Language::Russian);
    chart.xAxis->setRange(5, 20);
    chart.yAxis->setRange(40, 60);
    chart.graph(0)->addData(12.0, 50.0);
    TestRecordReport report(table_, {1}, chart, Language::Russian, kNow);
    chart.xAxis->setRange(0, 1);  // later changes do not reach the report
    const QCustomPlot& copy = report.Chart();
    EXPECT_EQ(copy.xAxis->range(), QCPRange(5, 20));
    EXPECT_EQ(copy.yAxis->range(), QCPRange(40, 60));
    ASSERT_EQ(copy.graphCount(), 2);
    EXPECT_EQ(copy.graph(0)->dataCount(), 0);  // the marked point is not printed
    EXPECT_EQ(copy.graph(1)->dataCount(), chart.graph(1)->dataCount());
    EXPECT_EQ(copy.graph(1)->name(), chart.graph(1)->name());
    EXPECT_EQ(copy.graph(1)->pen(), chart.graph(1)->pen());
    EXPECT_EQ(copy.xAxis->label(), QStringLiteral("Время, c"));
}

TEST_F(Printouts, AFileThatCannotBeWrittenIsRefusedWithItsReason) {
    TableListingReport report(table_, Language::Russian, kNow);
    QString reason;
    EXPECT_FALSE(
        WriteReportPdf(report, dir_.filePath(QStringLiteral("missing/listing.pdf")), &reason));
    EXPECT_FALSE(reason.isEmpty());
    // An older file stays whole when the new one fails half way.
    const QString path = dir_.filePath(QStringLiteral("chart.gif"));
    QCustomPlot chart;
    EXPECT_FALSE(SaveChartPicture(chart, path, &reason));
    EXPECT_FALSE(QFile::exists(path));
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
