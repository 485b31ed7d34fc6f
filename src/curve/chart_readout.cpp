// The chart window's pointer moves inside the plot: the readout in the status bar and the
// marker on the curve point under the pointer.
#include <QStatusBar>

#include "base/locale_format.h"
#include "chart_control.h"
#include "chart_window.h"
#include "plot/chart_texts.h"
#include "point_pick.h"
#include "ui/main_texts.h"

namespace porvel {
namespace {

constexpr int kMarkDecimals = 3;

AxisMap MapOf(const QCPAxis* axis) {
    const QCPRange range = axis->range();
    return {range.lower, range.upper, axis->coordToPixel(range.lower),
            axis->coordToPixel(range.upper)};
}

}  // namespace

void ChartWindow::OnPlotMouseMove(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    pointer_ = pos;
    if (!plot->PlotArea().Contains(pos)) {
        HideMarker();
        DragOutsidePlot(pos);
        return;
    }
    ShowReadout(pos);
    MarkPointUnderPointer(pos);
}

// After a zoom, an undo or an axis drag the same pointer position stands for other values.
void ChartWindow::RefreshReadout() {
    if (!pointer_ || !plot->PlotArea().Contains(*pointer_)) {
        HideMarker();
        return;
    }
    markedGraph_ = nullptr;
    markedIndex_ = -1;
    ShowReadout(*pointer_);
    MarkPointUnderPointer(*pointer_);
}

void ChartWindow::HideMarker() {
    statusBar->clearMessage();
    if (!markedGraph_ && !markerMark_->visible()) return;
    marker_->data()->clear();
    markerMark_->setVisible(false);
    markedGraph_ = nullptr;
    markedIndex_ = -1;
    markerLayer_->replot();
}

void ChartWindow::ShowReadout(QPoint pos) {
    const double x = plot->xAxis->pixelToCoord(pos.x());
    const double y = plot->yAxis->pixelToCoord(pos.y());
    statusBar->showMessage(ReadoutText(x, y, language_()));
}

// The highest series with a point under the pointer gets the marker; without one the marker
// keeps its point.
void ChartWindow::MarkPointUnderPointer(QPoint pos) {
    const AxisMap time = MapOf(plot->xAxis);
    const AxisMap pressure = MapOf(plot->yAxis);
    for (auto curve = plotted_.rbegin(); curve != plotted_.rend(); ++curve) {
        if (!curve->graph->visible()) continue;
        const QCPGraphDataContainer& data = *curve->graph->data();
        const int index = PointUnderPointer(
            data.size(), curve->rate, [&data](int i) { return data.at(i)->value; }, time, pressure,
            pos);
        if (index < 0) continue;
        if (curve->graph == markedGraph_ && index == markedIndex_) return;

        const QCPGraphData& point = *data.at(index);
        const QColor colour = curve->graph->pen().color();
        marker_->setValueAxis(curve->graph->valueAxis());
        marker_->data()->clear();
        marker_->addData(point.key, point.value);
        marker_->setScatterStyle(
            QCPScatterStyle(QCPScatterStyle::ssCircle, colour, colour, kMarkerSize));
        markerAnchor_->position->setCoords(point.key, point.value);
        markerMark_->setText(FormatFixed(point.value, kMarkDecimals));
        markerMark_->setPen(QPen(colour));
        markerMark_->setVisible(true);
        markedGraph_ = curve->graph;
        markedIndex_ = index;
        markerLayer_->replot();
        return;
    }
}

}  // namespace porvel
