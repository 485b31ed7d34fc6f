// TableListingReport, the printed listing of the archive table: a title line with the date and
// time, the header line at the top of every page, one fixed-width line per table row and the page
// number at the foot; and the fixed-width line rule that the test record's table shares.
#pragma once

#include <QDateTime>
#include <QFont>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "base/language.h"
#include "report/banded_report.h"

namespace porvel {

class ArchiveTable;

// A cell as printed: blanks and control characters taken off both ends.
QString TrimCell(const QString& cell);
// The cells, each trimmed and followed by blanks up to its width; a text as long as its width
// or longer is neither cut nor followed by a blank, so it shifts the rest of the line.
QString FixedWidthLine(const QStringList& cells, const int* widths);

// The date and time of a printout as text: the date, a blank and the time in the program's
// formats; at exactly midnight the date alone.
QString PrintoutDateTime(const QDateTime& when);

// The title of the listing's print job and preview window.
inline constexpr TextPair kListingTitle = {u"Предпросмотр печати", u"Print Preview"};

class TableListingReport : public BandedReport {
public:
    // Characters per column, columns 0 to 9.
    static constexpr std::array<int, 10> ReportColumnWidths = {10, 10, 15, 15, 25,
                                                               15, 15, 15, 13, 27};

    // Everything is taken from `table` and `language` now; later changes of the table do not
    // reach the report. `now` is the moment of the command.
    TableListingReport(const ArchiveTable& table, Language language,
                       const QDateTime& now = QDateTime::currentDateTime());

    QString Title() const override { return title_; }
    Heights BandHeights() const override;
    double BandWidth() const override;
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    void StartPass() override { counter_ = 0; }
    void PrintPageHeader(BandCanvas& band, const PageNumbers& numbers) override;
    void PrintLine(BandCanvas& band) override;
    void PrintPageFooter(BandCanvas& band, const PageNumbers& numbers) override;

    // The header line, printed in every page header.
    QString HeaderLine() const { return lines_.front(); }
    // The next line band's text: empty for entry 0 (the header stands in the page header),
    // then the table's rows; after the last the counter is back at 0.
    QString NextLine();

    QString TitleText() const { return caption_; }
    const std::vector<QString>& Lines() const { return lines_; }

private:
    QString title_;
    QString caption_;
    std::vector<QString> lines_;  // row 0, the header, first
    int counter_ = 0;
    QFont titleFont_;
    QFont lineFont_;
    QFont footerFont_;
};

}  // namespace porvel
