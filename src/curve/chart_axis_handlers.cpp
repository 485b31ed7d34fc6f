// The chart window's axis handling: pressing in the label strips picks an axis end, moving
// outside the plot drags it, the release ends the drag and performs a pending refit; the
// refits and the undo of the rectangle zoom.
#include <QStatusBar>

#include "chart_control.h"
#include "chart_window.h"
#include "plot/axis_ends.h"

namespace porvel {
namespace {

const QColor kDraggedLabels = Qt::red;
const QColor kLabels = Qt::black;

}  // namespace

void ChartWindow::OnPlotMousePress(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    const double x = plot->xAxis->pixelToCoord(pos.x());
    const double y = plot->yAxis->pixelToCoord(pos.y());
    const PressZone zone = drag_.OnPress(pos, plot->PlotArea(), x, y, BottomEnds(), LeftEnds());
    // A press in a strip takes its axis off the data's extent, whether or not it picks an end.
    if (zone == PressZone::LeftStrip) leftAutomatic_ = false;
    if (zone == PressZone::BottomStrip) bottomAutomatic_ = false;
    ColourLabels(drag_.Mode());
    plot->replot(QCustomPlot::rpQueuedReplot);
}

// Moves outside the plot drag whether or not a button is held: only a release ends a drag.
void ChartWindow::DragOutsidePlot(QPoint pos) {
    const QPoint step = drag_.OnMoveOutside(pos);
    statusBar->clearMessage();
    AxisEnds bottom = BottomEnds();
    AxisEnds left = LeftEnds();
    if (!DragAxisEnd(drag_.Mode(), step, plot->size(), bottom, left)) return;
    SetBottomEnds(bottom);
    SetLeftEnds(left);
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartWindow::OnPlotMouseRelease(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const std::optional<AxisEnd> end = drag_.OnRelease()) Refit(*end);
    ColourLabels(DragMode::None);
    RefreshReadout();
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartWindow::OnPlotDoubleClick() {
    drag_.RequestRefit();
}

void ChartWindow::UndoZoom() {
    SetOptimalTopMarginToLeftAxis();
    SetOptimalBottomMarginToLeftAxis();
    SetOptimalLeftMarginToBottomAxis();
    SetOptimalRightMarginToBottomAxis();
    RefreshReadout();
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartWindow::Refit(AxisEnd end) {
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

void ChartWindow::SetOptimalTopMarginToLeftAxis() {
    AxisEnds left = LeftEnds();
    RefitLeftAxisTop(left, CurvesExtent());
    SetLeftEnds(left);
}

void ChartWindow::SetOptimalBottomMarginToLeftAxis() {
    AxisEnds left = LeftEnds();
    RefitLeftAxisBottom(left, CurvesExtent());
    SetLeftEnds(left);
}

void ChartWindow::SetOptimalLeftMarginToBottomAxis() {
    AxisEnds bottom = BottomEnds();
    RefitBottomAxisStart(bottom, CurvesExtent());
    SetBottomEnds(bottom);
}

void ChartWindow::SetOptimalRightMarginToBottomAxis() {
    AxisEnds bottom = BottomEnds();
    RefitBottomAxisEnd(bottom, CurvesExtent());
    SetBottomEnds(bottom);
}

// The labels of the axis whose end is dragged turn red; with no end dragged both are black.
void ChartWindow::ColourLabels(DragMode mode) {
    const std::optional<ChartAxis> dragged = DraggedAxis(mode);
    if (!dragged) {
        plot->xAxis->setTickLabelColor(kLabels);
        plot->yAxis->setTickLabelColor(kLabels);
        return;
    }
    QCPAxis* axis = *dragged == ChartAxis::Bottom ? plot->xAxis : plot->yAxis;
    axis->setTickLabelColor(kDraggedLabels);
}

}  // namespace porvel
