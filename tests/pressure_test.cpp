#include "archive/archive_record.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/locale_format.h"

namespace porvel {
namespace {

TEST(PressureToKPa, ScaleEnds) {
    EXPECT_EQ(PressureToKPa(0), 0.0);
    EXPECT_NEAR(PressureToKPa(13108), 103.4, 1e-12);
    EXPECT_NEAR(PressureToKPa(65535), 516.96055, 1e-5);
    EXPECT_NEAR(PressureToKPa(6554), 51.7, 1e-12);
}

TEST(RoundToStep, HalvesGoUpAndNegativesAreLifted) {
    EXPECT_NEAR(RoundToStep(1.24, 0.01), 1.24, 1e-12);
    EXPECT_NEAR(RoundToStep(0.006, 0.01), 0.01, 1e-12);
    EXPECT_EQ(RoundToStep(0.004, 0.01), 0.0);
    EXPECT_EQ(RoundToStep(-0.006, 0.01), 0.0);
    EXPECT_EQ(RoundToStep(-0.0149, 0.01), 0.0);
    EXPECT_NEAR(RoundToStep(-0.016, 0.01), -0.01, 1e-12);
    EXPECT_NEAR(RoundToStep(2.5, 1.0), 3.0, 1e-12);
}

TEST(RoundToStep, OutOfRangeValuesDoNotOverflow) {
    EXPECT_TRUE(std::isnan(RoundToStep(std::nan(""), 0.01)));
    EXPECT_GT(RoundToStep(1e30, 0.01), 2e7);
    EXPECT_LT(RoundToStep(-1e30, 0.01), -2e7);
    EXPECT_NE(RoundToStep(INFINITY, 0.01), 0.0);
}

}  // namespace
}  // namespace porvel
