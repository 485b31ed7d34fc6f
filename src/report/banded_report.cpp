#include "banded_report.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "base/durable_save.h"

namespace porvel {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kMarginMm = 10.0;
constexpr double kFrameLineMm = 0.2;
// A band that ends within this of the page's usable end still fits: heights in hundredths of a
// millimetre add up with rounding errors.
constexpr double kFitToleranceMm = 1e-6;

int LinesThatFit(double availableMm, double lineMm) {
    if (lineMm <= 0.0) return 1;
    return std::max(1, static_cast<int>(std::floor(availableMm / lineMm + kFitToleranceMm)));
}

}  // namespace

QFont ReportFont(ReportFace face, double points, bool bold) {
    QFont font;
    if (face == ReportFace::Arial) {
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                          QStringLiteral("DejaVu Sans")});
        font.setStyleHint(QFont::SansSerif);
    } else {
        font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
    }
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QPageLayout ReportPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

BandCanvas::BandCanvas(QPainter& painter, double devicePerMm)
    : painter_(painter), k_(devicePerMm) {}

void BandCanvas::Place(QPointF topLeftMm, double widthMm, double heightMm) {
    origin_ = topLeftMm;
    width_ = widthMm;
    height_ = heightMm;
}

void BandCanvas::Label(QPointF atMm, const QFont& font, const QString& text) {
    if (font_ != &font) {
        painter_.setFont(font);
        ascent_ = QFontMetricsF(font, painter_.device()).ascent();
        font_ = &font;
    }
    painter_.drawText(QPointF(X(atMm.x()), Y(atMm.y()) + ascent_), text);
}

void BandCanvas::Frame(const BandFrame& frame) {
    const double left = X(0), right = X(width_), top = Y(0), bottom = Y(height_);
    if (frame.top) painter_.drawLine(QPointF(left, top), QPointF(right, top));
    if (frame.bottom) painter_.drawLine(QPointF(left, bottom), QPointF(right, bottom));
    if (frame.left) painter_.drawLine(QPointF(left, top), QPointF(left, bottom));
    if (frame.right) painter_.drawLine(QPointF(right, top), QPointF(right, bottom));
}

QRectF BandCanvas::DeviceRect(const QRectF& mm) const {
    return QRectF(QPointF(X(mm.left()), Y(mm.top())), QPointF(X(mm.right()), Y(mm.bottom())));
}

std::shared_ptr<QPainter> BandedReport::NewPainter() const {
    return std::make_shared<QPainter>();
}

std::vector<int> PageStarts(const BandedReport::Heights& heights, int lines,
                            double printableHeightMm) {
    const double perPage = printableHeightMm - heights.pageHeader - heights.pageFooter;
    std::vector<int> starts{0};
    int next = LinesThatFit(perPage - heights.title, heights.line);
    const int further = LinesThatFit(perPage, heights.line);
    while (next < lines) {
        starts.push_back(next);
        next += further;
    }
    return starts;
}

int PageCount(const BandedReport& report) {
    const double height = ReportPageLayout().paintRect(QPageLayout::Millimeter).height();
    return static_cast<int>(PageStarts(report.BandHeights(), report.LineCount(), height).size());
}

bool RenderReport(BandedReport& report, QPagedPaintDevice& device, QString* reason) {
    const double pageHeight = device.pageLayout().paintRect(QPageLayout::Millimeter).height();
    const BandedReport::Heights heights = report.BandHeights();
    const int lines = report.LineCount();
    const std::vector<int> starts = PageStarts(heights, lines, pageHeight);
    const int total = static_cast<int>(starts.size());
    const double width = report.BandWidth();

    const std::shared_ptr<QPainter> own = report.NewPainter();
    QPainter& painter = *own;
    if (!painter.begin(&device)) {
        *reason = QStringLiteral("the page device refused to print");
        return false;
    }
    const double k = device.logicalDpiY() / kMmPerInch;
    painter.setPen(QPen(Qt::black, kFrameLineMm * k));
    BandCanvas band(painter, k);
    report.StartPass();
    int line = 0;
    for (int page = 0; page < total; ++page) {
        if (page > 0 && !device.newPage()) {
            *reason = QStringLiteral("the page device refused a new page");
            return false;
        }
        const PageNumbers numbers{page + 1, total};
        double y = 0.0;
        band.Place({0.0, y}, width, heights.pageHeader);
        report.PrintPageHeader(band, numbers);
        y += heights.pageHeader;
        if (page == 0 && heights.title > 0.0) {
            band.Place({0.0, y}, width, heights.title);
            report.PrintTitle(band);
            y += heights.title;
        }
        const int end = page + 1 < total ? starts[static_cast<std::size_t>(page) + 1] : lines;
        for (; line < end; ++line, y += heights.line) {
            band.Place({0.0, y}, width, heights.line);
            report.PrintLine(band);
        }
        // The footer stands at the foot of the page, however full the page is.
        band.Place({0.0, pageHeight - heights.pageFooter}, width, heights.pageFooter);
        report.PrintPageFooter(band, numbers);
    }
    return painter.end();
}

bool WriteReportPdf(BandedReport& report, const QString& path, QString* reason) {
    return SaveDurably(
        path,
        [&report](QIODevice& file, QString* why) {
            QPdfWriter writer(&file);
            writer.setPageLayout(ReportPageLayout());
            writer.setTitle(report.Title());
            writer.setCreator(QCoreApplication::applicationName());
            return RenderReport(report, writer, why);
        },
        reason);
}

}  // namespace porvel
