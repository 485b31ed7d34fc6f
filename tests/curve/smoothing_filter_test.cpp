#include "plot/curve_builder.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace porvel {
namespace {

// Feeds `values` and expects at every point the plain mean of the last seven (fewer at first).
void ExpectRunningMeans(SmoothingFilter& filter, const std::vector<double>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t from = i < 6 ? 0 : i - 6;
        const double sum = std::accumulate(values.begin() + from, values.begin() + i + 1, 0.0);
        EXPECT_DOUBLE_EQ(filter.Feed(values[i]), sum / (i - from + 1)) << "point " << i;
    }
}

TEST(SmoothingFilter, GrowsItsWindowToSevenAndThenSlides) {
    SmoothingFilter filter;
    ExpectRunningMeans(filter, {31.5, 33.25, 36.0, 38.75, 41.0, 42.5, 44.0, 47.25, 48.5, 50.0});
}

TEST(SmoothingFilter, AnExactZeroIsPassedOnAndRestartsTheMean) {
    SmoothingFilter filter;
    for (double p : {80.0, 81.0, 82.0, 83.0, 84.0, 85.0, 86.0, 87.0}) filter.Feed(p);
    EXPECT_EQ(filter.Feed(0.0), 0.0);
    ExpectRunningMeans(filter, {60.0, 62.0, 64.0, 66.0, 68.0, 70.0, 72.0, 74.0});
}

TEST(SmoothingFilter, ValuesNearZeroAreDataNotGaps) {
    SmoothingFilter filter;
    EXPECT_DOUBLE_EQ(filter.Feed(1e-300), 1e-300);
    EXPECT_DOUBLE_EQ(filter.Feed(-2.0), (1e-300 - 2.0) / 2);
}

}  // namespace
}  // namespace porvel
