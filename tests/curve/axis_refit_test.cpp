#include "plot/axis_ends.h"

#include <gtest/gtest.h>

namespace porvel {
namespace {

// Pressures 40 to 90 kPa (2 % of the range is 1 kPa) over 0 to 50 s.
DataExtent Data() {
    DataExtent data;
    data.Include(0.0, 40.0);
    data.Include(50.0, 90.0);
    return data;
}

void ExpectEnds(const AxisEnds& axis, double minimum, double maximum) {
    EXPECT_DOUBLE_EQ(axis.Minimum(), minimum);
    EXPECT_DOUBLE_EQ(axis.Maximum(), maximum);
}

TEST(Refit, EachEndMovesAloneWhenTheOtherAllowsIt) {
    AxisEnds left(60, 70);
    RefitLeftAxisTop(left, Data());
    ExpectEnds(left, 60, 91);
    RefitLeftAxisBottom(left, Data());
    ExpectEnds(left, 39, 91);
    AxisEnds bottom(10, 20);
    RefitBottomAxisStart(bottom, Data());
    ExpectEnds(bottom, 0, 20);
    RefitBottomAxisEnd(bottom, Data());
    ExpectEnds(bottom, 0, 50);
}

TEST(Refit, AnAxisAtOrBeyondTheNewEndHasItsFarEndMovedFirst) {
    AxisEnds left(95, 120);
    RefitLeftAxisTop(left, Data());
    ExpectEnds(left, 39, 91);
    left = AxisEnds(91, 100);  // the minimum exactly at the new top
    RefitLeftAxisTop(left, Data());
    ExpectEnds(left, 39, 91);
    left = AxisEnds(-10, 30);
    RefitLeftAxisBottom(left, Data());
    ExpectEnds(left, 39, 91);
    AxisEnds bottom(-10, 0);  // the maximum exactly at the data's start
    RefitBottomAxisStart(bottom, Data());
    ExpectEnds(bottom, 0, 50);
    bottom = AxisEnds(60, 80);
    RefitBottomAxisEnd(bottom, Data());
    ExpectEnds(bottom, 0, 50);
}

TEST(Refit, UndoingAZoomFitsAllFourEndsFromAnywhere) {
    for (AxisEnds left : {AxisEnds(50, 52), AxisEnds(200, 300), AxisEnds(-80, -70)}) {
        for (AxisEnds bottom : {AxisEnds(20, 21), AxisEnds(-9, -8), AxisEnds(70, 90)}) {
            RefitLeftAxisTop(left, Data());
            RefitLeftAxisBottom(left, Data());
            RefitBottomAxisStart(bottom, Data());
            RefitBottomAxisEnd(bottom, Data());
            ExpectEnds(left, 39, 91);
            ExpectEnds(bottom, 0, 50);
        }
    }
}

TEST(Refit, WithoutPointsOrWithFlatDataTheAxisStaysUsable) {
    AxisEnds left(3, 4);
    RefitLeftAxisTop(left, DataExtent{});
    RefitBottomAxisEnd(left, DataExtent{});
    ExpectEnds(left, 3, 4);

    DataExtent flat;
    flat.Include(0.0, 50.0);
    flat.Include(10.0, 50.0);
    AxisEnds axis(60, 70);
    RefitLeftAxisTop(axis, flat);
    RefitLeftAxisBottom(axis, flat);
    EXPECT_LT(axis.Minimum(), axis.Maximum());
    EXPECT_LE(axis.Minimum(), 50.0);
}

}  // namespace
}  // namespace porvel
