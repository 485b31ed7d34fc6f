// Dragging the ends of the chart's axes in the label strips beside and below the plot: which
// strip a press falls in, which end it picks, how far a move carries that end, and what the
// release does with a refit that a double click asked for.
#pragma once

#include <QPoint>
#include <QSize>
#include <cstdint>
#include <optional>

#include "plot/axis_ends.h"

namespace porvel {

enum class PressZone : std::uint8_t { Elsewhere = 0, LeftStrip = 1, BottomStrip = 2 };

enum class DragMode : std::uint8_t {
    None = 0,
    BottomMinimum = 1,
    BottomMaximum = 2,
    LeftMaximum = 3,
    LeftMinimum = 4,
};

enum class ChartAxis { Bottom, Left };
enum class AxisEnd { LeftTop, LeftBottom, BottomStart, BottomEnd };

// The plot area in the chart's client pixels; right and bottom lie one past its last pixel.
struct PlotRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Contains(QPoint p) const {
        return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
    }
};

// The left strip lies beside the plot's height, the bottom strip below its width.
PressZone ZoneOf(const PlotRect& plot, QPoint press);
// The end a press picks from its values x (bottom axis) and y (left axis): the half of the
// strip it falls in, none above the left axis's maximum or at or below its minimum.
DragMode ModeOf(PressZone zone, double x, double y, const AxisEnds& bottom, const AxisEnds& left);
std::optional<ChartAxis> DraggedAxis(DragMode mode);
std::optional<AxisEnd> DraggedEnd(DragMode mode);

// Moves the dragged end by the share of the axis's range that `delta` makes of the chart's
// client size. False when nothing moved: no end dragged, or the end refused.
bool DragAxisEnd(DragMode mode, QPoint delta, QSize client, AxisEnds& bottom, AxisEnds& left);

// The press, the moves outside the plot and the release, with the pending refit request.
class AxisDrag {
public:
    // Records a left-button press; x and y are its values on the bottom and left axes.
    PressZone OnPress(QPoint pos, const PlotRect& plot, double x, double y, const AxisEnds& bottom,
                      const AxisEnds& left);
    // A move outside the plot: returns the step from the last position and keeps `pos`.
    QPoint OnMoveOutside(QPoint pos);
    // A left-button release ends the drag. It returns the end to refit when a refit is pending
    // and an end was being dragged, and consumes the request then; without a dragged end the
    // request stays pending.
    std::optional<AxisEnd> OnRelease();
    void RequestRefit() { refitRequest_ = true; }

    DragMode Mode() const { return mode_; }
    bool RefitRequested() const { return refitRequest_; }

private:
    QPoint last_;
    bool refitRequest_ = false;
    DragMode mode_ = DragMode::None;
};

}  // namespace porvel
