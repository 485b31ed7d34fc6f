#include "axis_refit.h"

namespace porvel {
namespace {

double PressureMargin(const DataExtent& data) {
    return (data.maxY - data.minY) * kPressureMarginFraction;
}

}  // namespace

void RefitLeftAxisTop(AxisEnds& left, const DataExtent& data) {
    if (data.empty) return;
    const double margin = PressureMargin(data);
    if (left.Minimum() >= data.maxY + margin) left.SetMinimum(data.minY - margin);
    left.SetMaximum(data.maxY + margin);
}

void RefitLeftAxisBottom(AxisEnds& left, const DataExtent& data) {
    if (data.empty) return;
    const double margin = PressureMargin(data);
    if (!(left.Maximum() > data.minY - margin)) left.SetMaximum(data.maxY + margin);
    left.SetMinimum(data.minY - margin);
}

void RefitBottomAxisStart(AxisEnds& bottom, const DataExtent& data) {
    if (data.empty) return;
    if (!(bottom.Maximum() > data.minX)) bottom.SetMaximum(data.maxX);
    bottom.SetMinimum(data.minX);
}

void RefitBottomAxisEnd(AxisEnds& bottom, const DataExtent& data) {
    if (data.empty) return;
    if (bottom.Minimum() >= data.maxX) bottom.SetMinimum(data.minX);
    bottom.SetMaximum(data.maxX);
}

}  // namespace porvel
