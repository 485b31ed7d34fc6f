#include "axis_ends.h"

#include <algorithm>
#include <cmath>

namespace porvel {

namespace {
constexpr double kFlatHalfSpan = 1.0;
}  // namespace

AxisEnds::AxisEnds(double minimum, double maximum) {
    if (std::isfinite(minimum) && std::isfinite(maximum) && minimum < maximum) {
        minimum_ = minimum;
        maximum_ = maximum;
    }
}

bool AxisEnds::SetMinimum(double value) {
    if (!std::isfinite(value) || !(value < maximum_)) return false;
    minimum_ = value;
    return true;
}

bool AxisEnds::SetMaximum(double value) {
    if (!std::isfinite(value) || !(value > minimum_)) return false;
    maximum_ = value;
    return true;
}

void DataExtent::Include(double x, double y) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

void DataExtent::Include(const DataExtent& other) {
    if (other.empty) return;
    Include(other.minX, other.minY);
    Include(other.maxX, other.maxY);
}

AxisEnds AutomaticEnds(double low, double high) {
    if (high > low) return {low, high};
    return {low - kFlatHalfSpan, high + kFlatHalfSpan};
}

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
