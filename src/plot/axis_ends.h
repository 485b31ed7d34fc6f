// The visible range of one chart axis and the extent of the plotted data, as the axis
// handling computes with them before the chart shows the result, and fitting an axis end to
// the data again.
#pragma once

namespace porvel {

// A minimum strictly below the maximum. A new end that would meet or pass the other end, or
// that is not a finite number, is refused: the setter returns false and the axis stays.
class AxisEnds {
public:
    AxisEnds() = default;
    AxisEnds(double minimum, double maximum);

    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    double Mid() const { return (maximum_ + minimum_) * 0.5; }
    double Size() const { return maximum_ - minimum_; }
    bool SetMinimum(double value);
    bool SetMaximum(double value);

    bool operator==(const AxisEnds& other) const {
        return minimum_ == other.minimum_ && maximum_ == other.maximum_;
    }

private:
    double minimum_ = 0.0;
    double maximum_ = 1.0;
};

// Smallest and largest time and pressure over every plotted point; empty without points.
struct DataExtent {
    double minX = 0.0;
    double maxX = 0.0;
    double minY = 0.0;
    double maxY = 0.0;
    bool empty = true;

    void Include(double x, double y);
    void Include(const DataExtent& other);
};

// The range an automatic axis takes for data from `low` to `high`: exactly that, or one unit
// either side when all the data lie at one value.
AxisEnds AutomaticEnds(double low, double high);

// Fitting one end of an axis to the plotted data again. The pressure axis gets a margin of 2 %
// of the data's pressure range at each end, the time axis none. When the far end stands on the
// wrong side of the new value it is moved first, so the minimum stays below the maximum.

constexpr double kPressureMarginFraction = 0.02;

// Each leaves the axis unchanged when there are no plotted points.
void RefitLeftAxisTop(AxisEnds& left, const DataExtent& data);
void RefitLeftAxisBottom(AxisEnds& left, const DataExtent& data);
void RefitBottomAxisStart(AxisEnds& bottom, const DataExtent& data);
void RefitBottomAxisEnd(AxisEnds& bottom, const DataExtent& data);

}  // namespace porvel
