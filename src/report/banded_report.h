// The small banded-report layer both printouts draw with: A4 landscape pages with 10 mm margins,
// a page header on every page, a title band once on the first page, one band per line of a list
// and a page footer on every page, each band with labels and frame lines placed in millimetres.
// The same code paints the print preview, the printer and a PDF, on any QPagedPaintDevice.
#pragma once

#include <QFont>
#include <QPageLayout>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace porvel {

// The two faces the printouts use. Arial and Lucida Console are not on a Debian desktop: Liberation
// Sans has Arial's metrics, and a monospaced face keeps the fixed-width columns in line.
enum class ReportFace { Arial, LucidaConsole };
QFont ReportFont(ReportFace face, double points, bool bold = false);

// The page every printout uses: A4 landscape, 10 mm margins all round.
QPageLayout ReportPageLayout();

struct BandFrame {
    bool top = false;
    bool bottom = false;
    bool left = false;
    bool right = false;
};

// One band as it is printed: positions are millimetres from the band's top left corner.
class BandCanvas {
public:
    BandCanvas(QPainter& painter, double devicePerMm);

    // Where the band stands on the page (its top left corner, millimetres from the printable
    // area's corner) and how big it is.
    void Place(QPointF topLeftMm, double widthMm, double heightMm);
    // A label sized to its text: the text's top left corner at `atMm`. `font` must outlive the
    // band (the painter's font and its ascent are kept between labels of the same font).
    void Label(QPointF atMm, const QFont& font, const QString& text);
    // The band's frame lines, 0.2 mm wide.
    void Frame(const BandFrame& frame);
    // A rectangle of the band, in device units, for items that draw themselves.
    QRectF DeviceRect(const QRectF& mm) const;
    QPainter& Painter() { return painter_; }

private:
    double X(double mm) const { return (origin_.x() + mm) * k_; }
    double Y(double mm) const { return (origin_.y() + mm) * k_; }

    QPainter& painter_;
    double k_;  // device units per millimetre
    QPointF origin_;
    double width_ = 0.0;
    double height_ = 0.0;
    const QFont* font_ = nullptr;
    double ascent_ = 0.0;
};

struct PageNumbers {
    int page = 1;   // from 1
    int total = 1;  // pages of the whole report
};

// A report: the heights of its band kinds and what each band prints. The layer calls the
// printing functions in page order once per pass (preview, printer, PDF), after StartPass.
class BandedReport {
public:
    struct Heights {
        double pageHeader = 0.0;
        double title = 0.0;  // 0: no title band
        double line = 0.0;
        double pageFooter = 0.0;
    };

    virtual ~BandedReport() = default;

    // The title of the print job and of the preview window.
    virtual QString Title() const = 0;
    virtual Heights BandHeights() const = 0;
    virtual double BandWidth() const = 0;
    // The number of line bands.
    virtual int LineCount() const = 0;
    // The painter a pass paints with, not yet begun; a report whose items need a painter of
    // their own kind (the chart's) makes one. Shared, not unique: QPainter's destructor is not
    // virtual, and a shared_ptr deletes the painter as the kind it was made.
    virtual std::shared_ptr<QPainter> NewPainter() const;

    // A new pass over the report begins: every pass prints the same pages.
    virtual void StartPass() {}
    virtual void PrintPageHeader(BandCanvas& band, const PageNumbers& numbers) = 0;
    virtual void PrintTitle(BandCanvas& band) { Q_UNUSED(band); }
    // The next line band; lines come in order, from the first, in every pass.
    virtual void PrintLine(BandCanvas& band) = 0;
    virtual void PrintPageFooter(BandCanvas& band, const PageNumbers& numbers) = 0;
};

// How the line bands fall on the pages: the first line of every page, in page order. A report
// always has at least one page, even without lines.
std::vector<int> PageStarts(const BandedReport::Heights& heights, int lines,
                            double printableHeightMm);
int PageCount(const BandedReport& report);

// Prints every page of `report` onto `device`, whose page layout must be the report's (the
// printout's printable area starts at the device's origin). False, with the reason, when the
// device cannot be painted on.
bool RenderReport(BandedReport& report, QPagedPaintDevice& device, QString* reason);

// Writes the report as a PDF file whole or not at all, without showing anything. False, with the
// reason, when the file cannot be written; an older file of that name is then left as it was.
bool WriteReportPdf(BandedReport& report, const QString& path, QString* reason);

}  // namespace porvel
