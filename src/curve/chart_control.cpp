#include "chart_control.h"

namespace porvel {

ChartControl::ChartControl(QWidget* parent) : QCustomPlot(parent) {
    setMouseTracking(true);
    setInteractions(QCP::Interactions());
    setSelectionRectMode(QCP::srmZoom);
}

PlotRect ChartControl::PlotArea() const {
    const QRect inner = axisRect()->rect();
    return {inner.left(), inner.top(), inner.left() + inner.width(), inner.top() + inner.height()};
}

void ChartControl::mousePressEvent(QMouseEvent* event) {
    pressPosition_ = event->position().toPoint();
    if (event->button() == Qt::LeftButton && PlotArea().Contains(pressPosition_)) {
        QCustomPlot::mousePressEvent(event);
        return;
    }
    emit mousePress(event);
    event->accept();
}

void ChartControl::processRectZoom(QRect rect, QMouseEvent* event) {
    switch (ZoomGestureOf(pressPosition_, event->position().toPoint())) {
        case ZoomGesture::Zoom:
            // From corner pixel to corner pixel: a QRectF made of the QRect would reach one
            // pixel further right and down.
            axisRect()->zoom(QRectF(QPointF(rect.topLeft()), QPointF(rect.bottomRight())));
            emit Zoomed();
            break;
        case ZoomGesture::Undo:
            emit UndoZoom();
            break;
        case ZoomGesture::None:
            break;
    }
    replot(rpQueuedReplot);  // takes the rectangle away
}

ZoomGesture ZoomGestureOf(QPoint press, QPoint release) {
    if (release.x() > press.x() && release.y() > press.y()) return ZoomGesture::Zoom;
    if (release.x() < press.x() || release.y() < press.y()) return ZoomGesture::Undo;
    return ZoomGesture::None;
}

void ChartControl::leaveEvent(QEvent* event) {
    QCustomPlot::leaveEvent(event);
    emit PointerLeft();
}

}  // namespace porvel
