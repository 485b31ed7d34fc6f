// Finding the curve point under the pointer. Sample i of a curve lies at time i / rate, so the
// samples near the pointer's time follow from the index alone; only those are measured.
#pragma once

#include <QPointF>
#include <functional>

namespace porvel {

// An axis's linear mapping between its values and the chart's pixels.
struct AxisMap {
    double lower = 0.0;
    double upper = 1.0;
    double pixelAtLower = 0.0;
    double pixelAtUpper = 1.0;

    double ToPixel(double value) const;
    double ToValue(double pixel) const;
    // Value units per pixel, always positive; 0 for a degenerate axis.
    double ValuePerPixel() const;
};

constexpr double kPickTolerancePx = 4.0;
// Bounds the work on a curve squeezed into a few pixels: the nearest samples in time are tried.
constexpr int kMaxPickCandidates = 1024;

// The index of the sample nearest the pointer (in pixels) among those no farther than
// `tolerancePx`, or -1 when there is none. `pressureAt(i)` gives sample i's value.
int PointUnderPointer(int count, double rate, const std::function<double(int)>& pressureAt,
                      const AxisMap& time, const AxisMap& pressure, QPointF pointer,
                      double tolerancePx = kPickTolerancePx);

}  // namespace porvel
