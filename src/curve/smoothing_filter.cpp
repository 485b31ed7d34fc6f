#include "smoothing_filter.h"

#include <algorithm>

namespace porvel {
namespace {

// The mean multiplies by the reciprocal of the count rather than dividing by it.
constexpr std::array<double, SmoothingFilter::kWindow> kReciprocal = {
    1.0, 1.0 / 2, 1.0 / 3, 1.0 / 4, 1.0 / 5, 1.0 / 6, 1.0 / 7};

}  // namespace

double SmoothingFilter::Feed(double value) {
    if (value == 0.0) {
        window_.fill(0.0);
        return 0.0;
    }
    std::rotate(window_.begin(), window_.begin() + 1, window_.end());
    window_.back() = value;

    double sum = 0.0;
    int count = 0;
    for (auto it = window_.rbegin(); it != window_.rend() && *it != 0.0; ++it) {
        sum += *it;
        ++count;
    }
    return sum * kReciprocal[static_cast<std::size_t>(count - 1)];
}

}  // namespace porvel
