// The chart window's axis handling: pressing in the label strips picks an axis end, moving
// outside the plot drags it, the release ends the drag and performs a pending refit; the
// refits and the undo of the rectangle zoom.
#include <QStatusBar>

#include "axis_ends.h"
#include "chart_control.h"
#include "chart_window.h"

namespace porvel {
namespace {

const QColor kDraggedLabels = Qt::red;
const QColor kLabels = Qt::black;

}  // namespace

void TForm4::Chart1MouseDown(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    const double x = Chart1->xAxis->pixelToCoord(pos.x());
    const double y = Chart1->yAxis->pixelToCoord(pos.y());
    const PressZone zone = drag_.OnPress(pos, Chart1->PlotArea(), x, y, BottomEnds(), LeftEnds());
    // A press in a strip takes its axis off the data's extent, whether or not it picks an end.
    if (zone == PressZone::LeftStrip) leftAutomatic_ = false;
    if (zone == PressZone::BottomStrip) bottomAutomatic_ = false;
    ColourLabels(drag_.Mode());
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

// Moves outside the plot drag whether or not a button is held: only a release ends a drag.
void TForm4::DragOutsidePlot(QPoint pos) {
    const QPoint step = drag_.OnMoveOutside(pos);
    StatusBar1->clearMessage();
    AxisEnds bottom = BottomEnds();
    AxisEnds left = LeftEnds();
    if (!DragAxisEnd(drag_.Mode(), step, Chart1->size(), bottom, left)) return;
    SetBottomEnds(bottom);
    SetLeftEnds(left);
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void TForm4::Chart1MouseUp(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const std::optional<AxisEnd> end = drag_.OnRelease()) Refit(*end);
    ColourLabels(DragMode::None);
    RefreshReadout();
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void TForm4::Chart1DblClick() {
    drag_.RequestRefit();
}

void TForm4::Chart1UndoZoom() {
    SetOptimalTopMarginToLeftAxis();
    SetOptimalBottomMarginToLeftAxis();
    SetOptimalLeftMarginToBottomAxis();
    SetOptimalRightMarginToBottomAxis();
    RefreshReadout();
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void TForm4::Refit(AxisEnd end) {
    switch (end) {
        case AxisEnd::LeftTop:
            SetOptimalTopMarginToLeftAxis();
            break;
        case AxisEnd::LeftBottom:
            SetOptimalBottomMarginToLeftAxis();
            break;
        case AxisEnd::BottomStart:
            SetOptimalLeftMarginToBottomAxis();
            break;
        case AxisEnd::BottomEnd:
            SetOptimalRightMarginToBottomAxis();
            break;
    }
}

void TForm4::SetOptimalTopMarginToLeftAxis() {
    AxisEnds left = LeftEnds();
    RefitLeftAxisTop(left, CurvesExtent());
    SetLeftEnds(left);
}

void TForm4::SetOptimalBottomMarginToLeftAxis() {
    AxisEnds left = LeftEnds();
    RefitLeftAxisBottom(left, CurvesExtent());
    SetLeftEnds(left);
}

void TForm4::SetOptimalLeftMarginToBottomAxis() {
    AxisEnds bottom = BottomEnds();
    RefitBottomAxisStart(bottom, CurvesExtent());
    SetBottomEnds(bottom);
}

void TForm4::SetOptimalRightMarginToBottomAxis() {
    AxisEnds bottom = BottomEnds();
    RefitBottomAxisEnd(bottom, CurvesExtent());
    SetBottomEnds(bottom);
}

// The labels of the axis whose end is dragged turn red; with no end dragged both are black.
void TForm4::ColourLabels(DragMode mode) {
    const std::optional<ChartAxis> dragged = DraggedAxis(mode);
    if (!dragged) {
        Chart1->xAxis->setTickLabelColor(kLabels);
        Chart1->yAxis->setTickLabelColor(kLabels);
        return;
    }
    QCPAxis* axis = *dragged == ChartAxis::Bottom ? Chart1->xAxis : Chart1->yAxis;
    axis->setTickLabelColor(kDraggedLabels);
}

}  // namespace porvel
