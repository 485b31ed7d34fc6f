#include "table_listing.h"

#include "archive/archive_table.h"
#include "base/locale_format.h"
#include "ui/main_texts.h"

namespace porvel {
namespace {

constexpr int kListedColumns = ArchiveTable::kShownColumns;
static_assert(TableListingReport::ReportColumnWidths.size() == kListedColumns);

// Millimetres, from the band's top left corner.
constexpr double kPageHeaderHeight = 8.47;
constexpr double kLineHeight = 3.81;
constexpr double kPageFooterHeight = 8.47;
constexpr double kBandWidth = 277.0;
constexpr QPointF kTitleAt{98.21, 0.0};
constexpr QPointF kHeaderLineAt{0.0, 5.08};
constexpr QPointF kLineAt{0.0, 0.0};
constexpr QPointF kPageNumberAt{264.16, 3.39};
constexpr double kTitlePoints = 10.0;
constexpr double kLinePoints = 8.0;
constexpr double kFooterPoints = 10.0;

bool IsBlankOrControl(QChar c) {
    return c.unicode() <= u' ';
}

}  // namespace

QString TrimCell(const QString& cell) {
    qsizetype begin = 0, end = cell.size();
    while (begin < end && IsBlankOrControl(cell[begin])) ++begin;
    while (end > begin && IsBlankOrControl(cell[end - 1])) --end;
    return cell.mid(begin, end - begin);
}

QString FixedWidthLine(const QStringList& cells, const int* widths) {
    QString line;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        const QString text = TrimCell(cells[c]);
        line += text;
        if (text.size() < widths[c]) line += QString(widths[c] - text.size(), QLatin1Char(' '));
    }
    return line;
}

QString PrintoutDateTime(const QDateTime& when) {
    const QString date = FormatDate(when.date());
    if (when.time() == QTime(0, 0)) return date;
    return date + QLatin1Char(' ') + FormatTime(when.time());
}

TableListingReport::TableListingReport(const ArchiveTable& table, Language language,
                                       const QDateTime& now)
    : title_(TextIn(kListingTitle, language)),
      caption_(MainTextOf(MainText::ArchiveTitle, language) + PrintoutDateTime(now)),
      titleFont_(ReportFont(ReportFace::Arial, kTitlePoints, true)),
      lineFont_(ReportFont(ReportFace::LucidaConsole, kLinePoints)),
      footerFont_(ReportFont(ReportFace::Arial, kFooterPoints)) {
    const int rows = table.GridRowCount();
    lines_.reserve(static_cast<std::size_t>(rows));
    QStringList cells;
    for (int row = 0; row < rows; ++row) {
        cells.clear();
        for (int col = 0; col < kListedColumns; ++col) cells << table.ShownText(col, row);
        lines_.push_back(FixedWidthLine(cells, ReportColumnWidths.data()));
    }
}

BandedReport::Heights TableListingReport::BandHeights() const {
    return {kPageHeaderHeight, 0.0, kLineHeight, kPageFooterHeight};
}

double TableListingReport::BandWidth() const {
    return kBandWidth;
}

QString TableListingReport::NextLine() {
    const int rows = LineCount();
    const QString value = counter_ != 0 ? lines_[static_cast<std::size_t>(counter_)] : QString();
    counter_ = counter_ < rows - 1 ? counter_ + 1 : 0;
    return value;
}

void TableListingReport::PrintPageHeader(BandCanvas& band, const PageNumbers&) {
    band.Label(kTitleAt, titleFont_, caption_);
    band.Label(kHeaderLineAt, lineFont_, HeaderLine());
}

void TableListingReport::PrintLine(BandCanvas& band) {
    const QString text = NextLine();
    if (!text.isEmpty()) band.Label(kLineAt, lineFont_, text);
}

void TableListingReport::PrintPageFooter(BandCanvas& band, const PageNumbers& numbers) {
    band.Label(kPageNumberAt, footerFont_, QString::number(numbers.page));
}

}  // namespace porvel
