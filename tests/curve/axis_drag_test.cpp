#include "curve/axis_drag.h"

#include <gtest/gtest.h>

#include "curve/chart_control.h"

namespace porvel {
namespace {

// A plot from (60, 20) to one past (560, 420).
const PlotRect kPlot{60, 20, 560, 420};

TEST(PressZone, StripsLieBesideAndBelowThePlotWithoutTheCorners) {
    const struct {
        QPoint at;
        PressZone zone;
    } cases[] = {
        {{30, 200}, PressZone::LeftStrip},    {{59, 420}, PressZone::LeftStrip},
        {{300, 421}, PressZone::BottomStrip}, {{61, 450}, PressZone::BottomStrip},
        {{559, 450}, PressZone::BottomStrip}, {{30, 20}, PressZone::Elsewhere},
        {{30, 450}, PressZone::Elsewhere},    {{60, 200}, PressZone::Elsewhere},
        {{60, 450}, PressZone::Elsewhere},    {{560, 450}, PressZone::Elsewhere},
        {{300, 420}, PressZone::Elsewhere},   {{300, 200}, PressZone::Elsewhere},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZoneOf(kPlot, c.at), c.zone) << c.at.x() << "," << c.at.y();
}

TEST(DragModeOf, EachStripsHalvesPickTheirAxisEnds) {
    const AxisEnds bottom(10, 30);  // mid 20
    const AxisEnds left(20, 100);   // mid 60
    auto leftAt = [&](double y) { return ModeOf(PressZone::LeftStrip, 0, y, bottom, left); };
    EXPECT_EQ(leftAt(100.5), DragMode::None);
    EXPECT_EQ(leftAt(100), DragMode::LeftMaximum);
    EXPECT_EQ(leftAt(60.01), DragMode::LeftMaximum);
    EXPECT_EQ(leftAt(60), DragMode::LeftMinimum);
    EXPECT_EQ(leftAt(20.01), DragMode::LeftMinimum);
    EXPECT_EQ(leftAt(20), DragMode::None);
    auto bottomAt = [&](double x) { return ModeOf(PressZone::BottomStrip, x, 0, bottom, left); };
    EXPECT_EQ(bottomAt(19.99), DragMode::BottomMinimum);
    EXPECT_EQ(bottomAt(20), DragMode::BottomMaximum);
    EXPECT_EQ(ModeOf(PressZone::Elsewhere, 12, 50, bottom, left), DragMode::None);
}

TEST(DragAxisEnd, MovesTheEndByTheShareOfTheClientSize) {
    const QSize client(800, 400);
    AxisEnds bottom(0, 200);
    AxisEnds left(40, 100);
    EXPECT_TRUE(DragAxisEnd(DragMode::BottomMinimum, {80, 7}, client, bottom, left));
    EXPECT_EQ(bottom, AxisEnds(-20, 200));  // 200 x 80 / 800 to the left
    EXPECT_TRUE(DragAxisEnd(DragMode::BottomMaximum, {-80, 0}, client, bottom, left));
    EXPECT_EQ(bottom, AxisEnds(-20, 222));  // 220 x 80 / 800 further
    EXPECT_TRUE(DragAxisEnd(DragMode::LeftMaximum, {9, 100}, client, bottom, left));
    EXPECT_EQ(left, AxisEnds(40, 115));  // 60 x 100 / 400 up
    EXPECT_TRUE(DragAxisEnd(DragMode::LeftMinimum, {0, -80}, client, bottom, left));
    EXPECT_EQ(left, AxisEnds(25, 115));  // 75 x 80 / 400 down
    EXPECT_EQ(bottom, AxisEnds(-20, 222));
}

TEST(DragAxisEnd, AnEndThatWouldMeetOrPassTheOtherIsRefused) {
    const QSize client(100, 100);
    AxisEnds bottom(0, 10);
    AxisEnds left(0, 10);
    EXPECT_FALSE(DragAxisEnd(DragMode::BottomMinimum, {-100, 0}, client, bottom, left));
    EXPECT_FALSE(DragAxisEnd(DragMode::BottomMaximum, {150, 0}, client, bottom, left));
    EXPECT_FALSE(DragAxisEnd(DragMode::LeftMaximum, {0, -100}, client, bottom, left));
    EXPECT_FALSE(DragAxisEnd(DragMode::LeftMinimum, {0, 120}, client, bottom, left));
    EXPECT_FALSE(DragAxisEnd(DragMode::None, {30, 30}, client, bottom, left));
    EXPECT_FALSE(DragAxisEnd(DragMode::BottomMinimum, {30, 30}, QSize(0, 0), bottom, left));
    EXPECT_EQ(bottom, AxisEnds(0, 10));
    EXPECT_EQ(left, AxisEnds(0, 10));
}

TEST(AxisDrag, MovesAreMeasuredFromTheLastPositionOutsideThePlot) {
    AxisDrag drag;
    drag.OnPress({30, 100}, kPlot, 0, 90, AxisEnds(0, 100), AxisEnds(0, 100));
    EXPECT_EQ(drag.Mode(), DragMode::LeftMaximum);
    EXPECT_EQ(drag.OnMoveOutside({30, 110}), QPoint(0, 10));
    EXPECT_EQ(drag.OnMoveOutside({25, 130}), QPoint(-5, 20));
}

TEST(AxisDrag, APendingRefitWaitsForTheReleaseOfAnEndDrag) {
    AxisDrag drag;
    const AxisEnds axis(0, 100);
    drag.OnPress({300, 450}, kPlot, 80, 0, axis, axis);
    EXPECT_EQ(drag.OnRelease(), std::nullopt);  // no refit asked for
    EXPECT_EQ(drag.Mode(), DragMode::None);

    drag.RequestRefit();
    drag.OnPress({300, 200}, kPlot, 50, 50, axis, axis);  // inside the plot: no end
    EXPECT_EQ(drag.OnRelease(), std::nullopt);
    EXPECT_TRUE(drag.RefitRequested());

    const struct {
        QPoint at;
        double x, y;
        AxisEnd end;
    } ends[] = {{{30, 300}, 0, 20, AxisEnd::LeftBottom},
                {{30, 100}, 0, 80, AxisEnd::LeftTop},
                {{100, 450}, 20, 0, AxisEnd::BottomStart},
                {{500, 450}, 80, 0, AxisEnd::BottomEnd}};
    for (const auto& e : ends) {
        drag.RequestRefit();
        drag.OnPress(e.at, kPlot, e.x, e.y, axis, axis);
        EXPECT_EQ(drag.OnRelease(), e.end);
        EXPECT_FALSE(drag.RefitRequested());
    }
}

TEST(ZoomGesture, LowerRightZoomsUpperLeftUndoes) {
    const QPoint press(200, 200);
    EXPECT_EQ(ZoomGestureOf(press, {260, 240}), ZoomGesture::Zoom);
    EXPECT_EQ(ZoomGestureOf(press, {150, 120}), ZoomGesture::Undo);
    EXPECT_EQ(ZoomGestureOf(press, {260, 150}), ZoomGesture::Undo);
    EXPECT_EQ(ZoomGestureOf(press, {150, 260}), ZoomGesture::Undo);
    EXPECT_EQ(ZoomGestureOf(press, {260, 200}), ZoomGesture::None);
}

}  // namespace
}  // namespace porvel
