// ChartControl, the chart control of the chart window, and its rectangle zoom. Presses outside the
// plot area belong to the axis strips and start no zoom rectangle; a rectangle dragged towards
// the upper left undoes the zoom instead of zooming into it.
#pragma once

#include <qcustomplot.h>
#include <QPoint>

#include "axis_drag.h"

namespace porvel {

class ChartControl : public QCustomPlot {
    Q_OBJECT
public:
    explicit ChartControl(QWidget* parent = nullptr);

    // The plot area of the last layout, in the control's pixels.
    PlotRect PlotArea() const;

signals:
    void Zoomed();
    void UndoZoom();
    void PointerLeft();

protected:
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void processRectZoom(QRect rect, QMouseEvent* event) override;

private:
    QPoint pressPosition_;
};

// The chart's rectangle zoom: dragged towards the lower right it zooms into the rectangle,
// towards the upper left (on either axis) it undoes the zoom.

enum class ZoomGesture { None, Zoom, Undo };

ZoomGesture ZoomGestureOf(QPoint press, QPoint release);

}  // namespace porvel
