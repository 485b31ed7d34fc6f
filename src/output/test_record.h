// TestRecordReport, the printed test record of the plotted measurements: a heading that cites the
// test method, a copy of the chart as shown, a fixed-width table with one line per plotted curve
// and a line for the tester's signature.
#pragma once

#include <QDateTime>
#include <QFont>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "base/language.h"
#include "report/banded_report.h"

class QCustomPlot;

namespace porvel {

class ArchiveTable;
class CurveStore;

class TestRecordReport : public BandedReport {
public:
    static constexpr int kColumns = 12;
    // Characters per column of the measurement table at the least; a column is widened to its
    // longest text and a blank. The last column has no width of its own.
    static constexpr std::array<int, kColumns> ColumnWidths = {2,  6,  11, 11, 10, 16,
                                                               10, 10, 10, 10, 8,  0};

    // Everything is taken now: the lines from the rows of `table` named by `rows` (a row plotted
    // twice has two lines) and a copy of `chart` as it stands, with its ranges, titles, legend
    // and every series. Later changes of either do not reach the report.
    TestRecordReport(const ArchiveTable& table, const std::vector<int>& rows,
                     const QCustomPlot& chart, Language language,
                     const QDateTime& now = QDateTime::currentDateTime());
    ~TestRecordReport() override;

    QString Title() const override { return title_; }
    Heights BandHeights() const override;
    double BandWidth() const override;
    int LineCount() const override { return lineCount_ + 1; }
    std::shared_ptr<QPainter> NewPainter() const override;
    void StartPass() override { counter_ = 0; }
    void PrintPageHeader(BandCanvas& band, const PageNumbers& numbers) override;
    void PrintTitle(BandCanvas& band) override;
    void PrintLine(BandCanvas& band) override;
    void PrintPageFooter(BandCanvas& band, const PageNumbers& numbers) override;

    struct PrintedLine {
        QString text;
        BandFrame frame;
    };
    // The next line with its frame: the header line first, with the only top rule; after the
    // last line the counter is back at the header.
    PrintedLine NextLine();
    // The total page count into the page header.
    void StartPage(const PageNumbers& numbers);

    const std::vector<QString>& Lines() const { return lines_; }
    QString CreatedText() const { return created_; }
    const QCustomPlot& Chart() const { return *chart_; }
    // The font of the table's lines: the report's, or smaller where the longest line needs it.
    const QFont& LineFont() const { return lineFont_; }

private:
    void FitLineFont();

    QString title_;
    QString created_;
    std::vector<QString> texts_;  // the labels' texts, by their keys
    QString totalPages_;
    std::vector<QString> lines_;  // the header line first
    int lineCount_ = 0;
    int counter_ = 0;
    std::unique_ptr<QCustomPlot> chart_;
    QFont font_;
    QFont methodFont_;
    QFont lineFont_;
};

// The test record of `rows` with their chart as the chart window first shows them, written as a
// PDF file whole or not at all, without a window. False, with the reason, when the file cannot
// be written.
bool WriteTestRecordPdf(const ArchiveTable& table, const CurveStore& curves,
                        const std::vector<int>& rows, Language language, const QString& path,
                        QString* reason);

}  // namespace porvel
