#include "axis_drag.h"

namespace porvel {

PressZone ZoneOf(const PlotRect& plot, QPoint press) {
    if (press.y() > plot.bottom && plot.left < press.x() && press.x() < plot.right)
        return PressZone::BottomStrip;
    if (plot.top < press.y() && press.y() <= plot.bottom && press.x() < plot.left)
        return PressZone::LeftStrip;
    return PressZone::Elsewhere;
}

DragMode ModeOf(PressZone zone, double x, double y, const AxisEnds& bottom, const AxisEnds& left) {
    switch (zone) {
        case PressZone::LeftStrip:
            if (y > left.Maximum()) return DragMode::None;
            if (y > left.Mid()) return DragMode::LeftMaximum;
            if (y > left.Minimum()) return DragMode::LeftMinimum;
            return DragMode::None;
        case PressZone::BottomStrip:
            return x < bottom.Mid() ? DragMode::BottomMinimum : DragMode::BottomMaximum;
        case PressZone::Elsewhere:
            break;
    }
    return DragMode::None;
}

std::optional<ChartAxis> DraggedAxis(DragMode mode) {
    switch (mode) {
        case DragMode::BottomMinimum:
        case DragMode::BottomMaximum:
            return ChartAxis::Bottom;
        case DragMode::LeftMaximum:
        case DragMode::LeftMinimum:
            return ChartAxis::Left;
        case DragMode::None:
            break;
    }
    return std::nullopt;
}

std::optional<AxisEnd> DraggedEnd(DragMode mode) {
    switch (mode) {
        case DragMode::BottomMinimum:
            return AxisEnd::BottomStart;
        case DragMode::BottomMaximum:
            return AxisEnd::BottomEnd;
        case DragMode::LeftMaximum:
            return AxisEnd::LeftTop;
        case DragMode::LeftMinimum:
            return AxisEnd::LeftBottom;
        case DragMode::None:
            break;
    }
    return std::nullopt;
}

bool DragAxisEnd(DragMode mode, QPoint delta, QSize client, AxisEnds& bottom, AxisEnds& left) {
    const double width = client.width();
    const double height = client.height();
    switch (mode) {
        case DragMode::BottomMinimum:
            return width > 0 &&
                   bottom.SetMinimum(bottom.Minimum() - bottom.Size() * delta.x() / width);
        case DragMode::BottomMaximum:
            return width > 0 &&
                   bottom.SetMaximum(bottom.Maximum() - bottom.Size() * delta.x() / width);
        case DragMode::LeftMaximum:
            return height > 0 && left.SetMaximum(left.Maximum() + left.Size() * delta.y() / height);
        case DragMode::LeftMinimum:
            return height > 0 && left.SetMinimum(left.Minimum() + left.Size() * delta.y() / height);
        case DragMode::None:
            break;
    }
    return false;
}

PressZone AxisDrag::OnPress(QPoint pos, const PlotRect& plot, double x, double y,
                            const AxisEnds& bottom, const AxisEnds& left) {
    last_ = pos;
    const PressZone zone = ZoneOf(plot, pos);
    mode_ = ModeOf(zone, x, y, bottom, left);
    return zone;
}

QPoint AxisDrag::OnMoveOutside(QPoint pos) {
    const QPoint step = pos - last_;
    last_ = pos;
    return step;
}

std::optional<AxisEnd> AxisDrag::OnRelease() {
    const std::optional<AxisEnd> end = DraggedEnd(mode_);
    mode_ = DragMode::None;
    if (!end || !refitRequest_) return std::nullopt;
    refitRequest_ = false;
    return end;
}

}  // namespace porvel
