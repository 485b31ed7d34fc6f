#include "chart_save.h"

#include <qcustomplot.h>

#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "base/durable_save.h"
#include "plot/chart_copy.h"

namespace porvel {
namespace {

constexpr double kPointsPerPixel = 72.0 / 96.0;  // a page as big as the chart on a 96 dpi screen

bool PaintOn(QPaintDevice& device, QCustomPlot& copy, QSize logical, QString* reason) {
    QCPPainter painter;
    if (!painter.begin(&device)) {
        *reason = QStringLiteral("the drawing could not be started");
        return false;
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNonCosmetic);
    PaintChart(copy, painter, QRectF(0, 0, device.width(), device.height()), logical);
    return painter.end();
}

}  // namespace

QStringList ChartPictureFilters() {
    return {QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)"),
            QStringLiteral("PDF (*.pdf)"), QStringLiteral("CSV (*.csv)")};
}

bool IsCurvesCsvPath(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}

bool SaveChartPicture(QCustomPlot& chart, const QString& path, QString* reason) {
    const QString kind = QFileInfo(path).suffix().toLower();
    const QSize logical = chart.size().expandedTo(QSize(1, 1));
    if (kind == QLatin1String("png")) {
        const QImage picture = chart.toPixmap().toImage();
        return SaveDurably(
            path,
            [&picture](QIODevice& file, QString* why) {
                QImageWriter writer(&file, "png");
                if (writer.write(picture)) return true;
                *why = writer.errorString();
                return false;
            },
            reason);
    }
    if (kind != QLatin1String("svg") && kind != QLatin1String("pdf")) {
        *reason = QStringLiteral("a chart is saved as .png, .svg or .pdf");
        return false;
    }
    // A copy with its fonts in pixels, so that the drawing keeps the screen's proportions.
    QCustomPlot copy;
    copy.resize(logical);
    CopyChart(chart, copy);
    return SaveDurably(
        path,
        [&](QIODevice& file, QString* why) {
            if (kind == QLatin1String("svg")) {
                QSvgGenerator svg;
                svg.setOutputDevice(&file);
                svg.setSize(logical);
                svg.setViewBox(QRect(QPoint(0, 0), logical));
                svg.setTitle(chart.windowTitle());
                return PaintOn(svg, copy, logical, why);
            }
            QPdfWriter pdf(&file);
            pdf.setPageSize(QPageSize(QSizeF(logical) * kPointsPerPixel, QPageSize::Point));
            pdf.setPageMargins(QMarginsF());
            return PaintOn(pdf, copy, logical, why);
        },
        reason);
}

}  // namespace porvel
