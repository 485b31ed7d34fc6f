#include "point_pick.h"

#include <algorithm>
#include <cmath>

namespace porvel {

double AxisMap::ToPixel(double value) const {
    return pixelAtLower + (value - lower) / (upper - lower) * (pixelAtUpper - pixelAtLower);
}

double AxisMap::ToValue(double pixel) const {
    return lower + (pixel - pixelAtLower) / (pixelAtUpper - pixelAtLower) * (upper - lower);
}

double AxisMap::ValuePerPixel() const {
    const double pixels = std::abs(pixelAtUpper - pixelAtLower);
    if (pixels == 0.0) return 0.0;
    return std::abs(upper - lower) / pixels;
}

int PointUnderPointer(int count, double rate, const std::function<double(int)>& pressureAt,
                      const AxisMap& time, const AxisMap& pressure, QPointF pointer,
                      double tolerancePx) {
    const double perPixel = time.ValuePerPixel();
    if (count <= 0 || !(rate > 0.0) || !std::isfinite(rate) || perPixel == 0.0) return -1;

    // The indices whose times lie within the tolerance of the pointer's time.
    const double t = time.ToValue(pointer.x());
    const double span = tolerancePx * perPixel;
    const double last = count - 1;
    const double from = std::clamp(std::ceil((t - span) * rate), 0.0, last + 1);
    const double to = std::clamp(std::floor((t + span) * rate), -1.0, last);
    if (!(from <= to)) return -1;
    int first = static_cast<int>(from);
    int end = static_cast<int>(to);
    if (end - first + 1 > kMaxPickCandidates) {
        const int nearest = static_cast<int>(std::clamp(std::round(t * rate), from, to));
        first = std::max(first, nearest - kMaxPickCandidates / 2);
        end = std::min(end, first + kMaxPickCandidates - 1);
    }

    int best = -1;
    double bestDistance = tolerancePx * tolerancePx;
    for (int i = first; i <= end; ++i) {
        const double dx = time.ToPixel(i / rate) - pointer.x();
        const double dy = pressure.ToPixel(pressureAt(i)) - pointer.y();
        const double distance = dx * dx + dy * dy;
        if (distance <= bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace porvel
