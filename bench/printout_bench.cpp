// Prints, against their goals, the listing of a 65535-row archive table: written to PDF through
// the report layer over a bare QPdfWriter loop that draws the same lines with the same fonts on
// the same number of pages, and the time until the print preview shows its first page.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

#include "archive/archive_table.h"
#include "base/locale_format.h"
#include "bench_goal.h"
#include "bench_table.h"
#include "output/table_listing.h"
#include "report/banded_report.h"

using namespace porvel;

namespace {

constexpr int kDataRows = 65535;
constexpr double kMmPerInch = 25.4;
const QDateTime kNow(QDate(2024, 5, 3), QTime(14, 5));

double Seconds(const QElapsedTimer& clock) {
    return clock.nsecsElapsed() / 1e9;
}

// The listing's pages drawn straight onto a QPdfWriter: the same texts at the same places, the
// lines worked out beforehand, no bands and no atomic save.
void BareLoop(const TableListingReport& report, int pages, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    QPdfWriter writer(&file);
    writer.setPageLayout(ReportPageLayout());
    QPainter painter(&writer);
    const double k = writer.logicalDpiY() / kMmPerInch;
    const QFont title = ReportFont(ReportFace::Arial, 10, true);
    const QFont mono = ReportFont(ReportFace::LucidaConsole, 8);
    const QFont footer = ReportFont(ReportFace::Arial, 10);
    const double titleAscent = QFontMetricsF(title, &writer).ascent();
    const double monoAscent = QFontMetricsF(mono, &writer).ascent();
    const double footerAscent = QFontMetricsF(footer, &writer).ascent();
    const std::vector<QString>& lines = report.Lines();
    const int perPage = 45;
    std::size_t next = 1;
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.setFont(title);
        painter.drawText(QPointF(98.21 * k, titleAscent), report.TitleText());
        painter.setFont(mono);
        painter.drawText(QPointF(0, 5.08 * k + monoAscent), lines.front());
        double y = 8.47;
        for (int i = page == 0 ? 1 : 0; i < perPage && next < lines.size(); ++i, ++next, y += 3.81)
            painter.drawText(QPointF(0, y * k + monoAscent), lines[next]);
        painter.setFont(footer);
        painter.drawText(QPointF(264.16 * k, (190 - 8.47 + 3.39) * k + footerAscent),
                         QString::number(page + 1));
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    UseHoursMinutesTimeFormat();
    ArchiveTable table;
    bench::FillTable(table, kDataRows + 1);
    QTemporaryDir dir;

    QElapsedTimer clock;
    clock.start();
    TableListingReport report(table, Language::Russian, kNow);
    const double built = Seconds(clock);
    QString reason;
    clock.restart();
    if (!WriteReportPdf(report, dir.filePath(QStringLiteral("listing.pdf")), &reason))
        std::fprintf(stderr, "listing: %s\n", qPrintable(reason));
    const double listing = Seconds(clock);
    const int pages = PageCount(report);
    clock.restart();
    BareLoop(report, pages, dir.filePath(QStringLiteral("bare.pdf")));
    const double bare = Seconds(clock);

    // The preview lays out every page before it shows the first.
    clock.restart();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout());
    QPrintPreviewDialog preview(&printer);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&](QPrinter* target) {
        QString why;
        RenderReport(report, *target, &why);
    });
    preview.show();
    auto* view = preview.findChild<QPrintPreviewWidget*>();
    while (!view || view->pageCount() == 0) QApplication::processEvents();
    QApplication::processEvents();
    const double firstPage = Seconds(clock);

    std::printf(
        "listing of %d rows on %d pages: report built %.3f s, PDF %.3f s, bare "
        "QPdfWriter loop %.3f s\n",
        kDataRows, pages, built, listing, bare);
    std::printf("  listing PDF / bare loop: %.2f (goal at most 1.3)\n", listing / bare);
    std::printf("  (built + PDF) / bare loop: %.2f\n", (built + listing) / bare);
    std::printf("  print preview to its first page: %.2f s\n", firstPage);
    porvel::bench::Goal("printout", "listing PDF / bare loop", listing / bare, " x", 1.3);
    return 0;
}
