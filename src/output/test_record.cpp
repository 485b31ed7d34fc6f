#include "test_record.h"

#include <qcustomplot.h>

#include <QFontMetricsF>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "archive/archive_table.h"
#include "base/locale_format.h"
#include "plot/chart_copy.h"
#include "table_listing.h"

namespace porvel {
namespace {

enum Text : std::size_t {
    kReportTitle,
    kRecordNumber,
    kMethodFirstLine,
    kMethodSecondLine,
    kParametersTitle,
    kResultsTitle,
    kPageWord,
    kOfWord,
    kSignature,
    kTextCount,
};

constexpr std::array<KeyedText<Text>, kTextCount> kTexts = {{
    {kReportTitle, {u"Бланк протокола испытаний", u"Blank test report"}},
    {kRecordNumber, {u"Протокол испытаний №______", u"note of test results №______"}},
    {kMethodFirstLine,
     {u"Ускоренный метод определения водонепроницаемости материала по его",
      u"Rapid method for determination of waterproof material for its breathability"}},
    {kMethodSecondLine,
     {u"воздухопроницаемости (ГОСТ 12730.5 - 84 Приложение 4)", u"(GOST 12730.5 - 84 Appendix 4)"}},
    {kParametersTitle, {u"Параметры измерений", u"measurement parameters"}},
    {kResultsTitle, {u"Результаты измерений", u"the measurement results"}},
    {kPageWord, {u"Страница", u"Page"}},
    {kOfWord, {u"из", u"/"}},
    {kSignature, {u"Измерение провел:__________________", u"Measuring held: __________________"}},
}};
static_assert(KeysInOrder(kTexts, kTextCount));

// The table's own titles where the record's columns are the table's; its units are written
// without the blank.
constexpr std::array<TextPair, TestRecordReport::kColumns> kColumnHeaders = {{
    kHeaderTexts[column::kNumber],
    kHeaderTexts[column::kTime],
    kHeaderTexts[column::kDate],
    kHeaderTexts[column::kObject],
    kHeaderTexts[column::kMaterial],
    {u"Длительность,с", u"Duration,s"},
    {u"Период,с", u"Period,s"},
    {u"Ратм,кПа", u"Pair,kPa"},
    {u"m,с/см3", u"m,s/sm3"},
    {u"a,см3/с", u"a,sm3/s"},
    {u"h,см", u"h,sm"},
    kHeaderTexts[column::kGrade],
}};

// Millimetres, from the band's top left corner.
constexpr double kPageHeaderHeight = 30.9;
constexpr double kTitleHeight = 108.4;
constexpr double kLineHeight = 4.9;
constexpr double kPageFooterHeight = 5.3;
constexpr double kBandWidth = 277.1;
constexpr QPointF kRecordNumberAt{215.1, 0.0};
constexpr QPointF kCreatedAt{215.1, 5.1};
constexpr QPointF kPageWordAt{215.1, 10.2};
constexpr QPointF kPageNumberAt{232.0, 10.2};
constexpr QPointF kOfWordAt{236.9, 10.2};
constexpr QPointF kPageCountAt{240.9, 10.2};
constexpr QPointF kMethodFirstLineAt{1.7, 14.4};
constexpr QPointF kMethodSecondLineAt{1.7, 22.6};
constexpr QRectF kChartBox{0.0, -1.7, 276.2, 101.8};
constexpr QPointF kParametersTitleAt{40.6, 103.3};
constexpr QPointF kResultsTitleAt{203.2, 103.3};
constexpr QPointF kLineAt{1.1, 0.6};
constexpr QPointF kSignatureAt{213.4, 0.6};
constexpr double kPoints = 10.0;
constexpr double kMethodPoints = 16.0;
// The chart is laid out as a chart of this many pixels (its box at 96 pixels per inch), so that
// its texts and lines keep the proportions they have on the screen.
const QSize kChartLogicalSize(1044, 385);
// A duration beyond this is no count of seconds that a curve could have.
constexpr double kLargestDuration = 1e15;

// The curve's duration in whole seconds and its sampling period from its length and rate; "NAN"
// when their texts are no numbers or the rate is 0.
QString Duration(const Measurement& values) {
    if (!values.curveLength || !values.sampleRate || *values.sampleRate == 0.0)
        return kNotANumberText;
    const double seconds = std::trunc(*values.curveLength / *values.sampleRate);
    if (!std::isfinite(seconds) || std::abs(seconds) > kLargestDuration) return kNotANumberText;
    return QString::number(static_cast<std::int64_t>(seconds));
}

QString Period(const Measurement& values) {
    if (!values.sampleRate || *values.sampleRate == 0.0) return kNotANumberText;
    return FormatGeneral(1.0 / *values.sampleRate);
}

QStringList TableCells(const ArchiveTable& table, int row) {
    auto cell = [&](int col) { return table.Cell(col, row); };
    const QStringList cells{
        cell(column::kNumber),     cell(column::kTime),       cell(column::kDate),
        cell(column::kObject),     cell(column::kMaterial),   Duration(table.Values(row)),
        Period(table.Values(row)), cell(column::kAtmosphere), cell(column::kM),
        cell(column::kA),          cell(column::kH),          cell(column::kGrade)};
    return cells;
}

// Each column as wide as its longest text and a blank, never narrower than its design width, so
// that a number of five digits or a name of fourteen letters stands apart from its neighbour and
// every value stands under its header.
std::array<int, TestRecordReport::kColumns> FittedWidths(const std::vector<QStringList>& lines) {
    std::array<int, TestRecordReport::kColumns> widths = TestRecordReport::ColumnWidths;
    for (const QStringList& cells : lines)
        for (int c = 0; c + 1 < TestRecordReport::kColumns && c < cells.size(); ++c)
            widths[static_cast<std::size_t>(c)] =
                std::max(widths[static_cast<std::size_t>(c)],
                         static_cast<int>(TrimCell(cells[c]).size()) + 1);
    return widths;
}

}  // namespace

TestRecordReport::TestRecordReport(const ArchiveTable& table, const std::vector<int>& rows,
                                   const QCustomPlot& chart, Language language,
                                   const QDateTime& now)
    : title_(TextOf(kTexts, kReportTitle, language)),
      created_(PrintoutDateTime(now)),
      lineCount_(static_cast<int>(rows.size())),
      chart_(std::make_unique<QCustomPlot>()),
      font_(ReportFont(ReportFace::Arial, kPoints)),
      methodFont_(ReportFont(ReportFace::Arial, kMethodPoints)),
      lineFont_(ReportFont(ReportFace::LucidaConsole, kPoints)) {
    for (const KeyedText<Text>& row : kTexts) texts_.push_back(TextIn(row.text, language));
    CopyChart(chart, *chart_, PointerMarker::Leave);  // never printed

    std::vector<QStringList> cells(1);
    for (const TextPair& header : kColumnHeaders) cells[0] << TextIn(header, language);
    for (int row : rows) cells.push_back(TableCells(table, row));
    const auto widths = FittedWidths(cells);
    for (const QStringList& line : cells) lines_.push_back(FixedWidthLine(line, widths.data()));
    FitLineFont();
}

TestRecordReport::~TestRecordReport() = default;

BandedReport::Heights TestRecordReport::BandHeights() const {
    return {kPageHeaderHeight, kTitleHeight, kLineHeight, kPageFooterHeight};
}

double TestRecordReport::BandWidth() const {
    return kBandWidth;
}

std::shared_ptr<QPainter> TestRecordReport::NewPainter() const {
    // The chart paints itself on its own kind of painter: as vectors, every line at least one
    // of its pixels wide.
    auto painter = std::make_shared<QCPPainter>();
    painter->setMode(QCPPainter::pmVectorized);
    painter->setMode(QCPPainter::pmNoCaching);
    painter->setMode(QCPPainter::pmNonCosmetic);
    return painter;
}

TestRecordReport::PrintedLine TestRecordReport::NextLine() {
    // A box with a rule under every line and none between the columns; the header alone has a
    // rule above it.
    PrintedLine line{lines_[static_cast<std::size_t>(counter_)], {counter_ == 0, true, true, true}};
    counter_ = counter_ < lineCount_ ? counter_ + 1 : 0;
    return line;
}

void TestRecordReport::StartPage(const PageNumbers& numbers) {
    totalPages_ = QString::number(numbers.total);
}

void TestRecordReport::PrintPageHeader(BandCanvas& band, const PageNumbers& numbers) {
    StartPage(numbers);
    band.Label(kRecordNumberAt, font_, texts_[kRecordNumber]);
    band.Label(kCreatedAt, font_, created_);
    band.Label(kPageWordAt, font_, texts_[kPageWord]);
    band.Label(kPageNumberAt, font_, QString::number(numbers.page));
    band.Label(kOfWordAt, font_, texts_[kOfWord]);
    band.Label(kPageCountAt, font_, totalPages_);
    band.Label(kMethodFirstLineAt, methodFont_, texts_[kMethodFirstLine]);
    band.Label(kMethodSecondLineAt, methodFont_, texts_[kMethodSecondLine]);
}

void TestRecordReport::PrintTitle(BandCanvas& band) {
    PaintChart(*chart_, static_cast<QCPPainter&>(band.Painter()), band.DeviceRect(kChartBox),
               kChartLogicalSize);
    band.Label(kParametersTitleAt, font_, texts_[kParametersTitle]);
    band.Label(kResultsTitleAt, font_, texts_[kResultsTitle]);
}

void TestRecordReport::FitLineFont() {
    // Columns widened for long texts may make a line longer than the band: the font then shrinks
    // until the longest line fits, the columns staying aligned in the monospaced face.
    constexpr double kPointsPerInch = 72.0, kMmPerInch = 25.4;
    QImage pointGrid(1, 1, QImage::Format_Mono);  // one device pixel per point
    pointGrid.setDotsPerMeterX(static_cast<int>(std::lround(kPointsPerInch / kMmPerInch * 1000)));
    pointGrid.setDotsPerMeterY(pointGrid.dotsPerMeterX());
    const QFontMetricsF metrics(lineFont_, &pointGrid);
    double widest = 0.0;
    for (const QString& line : lines_) widest = std::max(widest, metrics.horizontalAdvance(line));
    const double room = (kBandWidth - 2 * kLineAt.x()) / kMmPerInch * kPointsPerInch;
    if (widest > room) lineFont_.setPointSizeF(lineFont_.pointSizeF() * room / widest);
}

void TestRecordReport::PrintLine(BandCanvas& band) {
    const PrintedLine line = NextLine();
    band.Frame(line.frame);
    band.Label(kLineAt, lineFont_, line.text);
}

void TestRecordReport::PrintPageFooter(BandCanvas& band, const PageNumbers&) {
    band.Label(kSignatureAt, font_, texts_[kSignature]);
}

bool WriteTestRecordPdf(const ArchiveTable& table, const CurveStore& curves,
                        const std::vector<int>& rows, Language language, const QString& path,
                        QString* reason) {
    QCustomPlot chart;
    const std::vector<int> plotted = PlotRows(chart, table, curves, rows, language);
    TestRecordReport report(table, plotted, chart, language);
    return WriteReportPdf(report, path, reason);
}

}  // namespace porvel
