// Fitting one end of an axis to the plotted data again. The pressure axis gets a margin of 2 %
// of the data's pressure range at each end, the time axis none. When the far end stands on the
// wrong side of the new value it is moved first, so the minimum stays below the maximum.
#pragma once

#include "axis_ends.h"

namespace porvel {

constexpr double kPressureMarginFraction = 0.02;

// Each leaves the axis unchanged when there are no plotted points.
void RefitLeftAxisTop(AxisEnds& left, const DataExtent& data);
void RefitLeftAxisBottom(AxisEnds& left, const DataExtent& data);
void RefitBottomAxisStart(AxisEnds& bottom, const DataExtent& data);
void RefitBottomAxisEnd(AxisEnds& bottom, const DataExtent& data);

}  // namespace porvel
