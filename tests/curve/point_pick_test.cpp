#include "curve/point_pick.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace porvel {
namespace {

// 1000 px for 0..100 s; 400 px for 0..100 kPa, the pressure growing upwards.
const AxisMap kTime{0.0, 100.0, 50.0, 1050.0};
const AxisMap kPressure{0.0, 100.0, 450.0, 50.0};

struct Curve {
    std::vector<double> pressures;
    double rate;
    mutable int reads = 0;

    QPointF PixelOf(int i, const AxisMap& time = kTime) const {
        return {time.ToPixel(i / rate), kPressure.ToPixel(pressures[std::size_t(i)])};
    }
    int Pick(QPointF pointer, const AxisMap& time = kTime) const {
        reads = 0;
        return PointUnderPointer(
            int(pressures.size()), rate,
            [this](int i) {
                ++reads;
                return pressures[std::size_t(i)];
            },
            time, kPressure, pointer);
    }
};

Curve Rising(int count, double rate) {
    Curve curve{{}, rate};
    for (int i = 0; i < count; ++i) curve.pressures.push_back(30.0 + 60.0 * i / count);
    return curve;
}

TEST(PointUnderPointer, FindsTheSampleWithinTheTolerance) {
    const Curve curve = Rising(50, 1.0);  // a sample every 10 px, 4.8 px higher each
    EXPECT_EQ(curve.Pick(curve.PixelOf(17)), 17);
    EXPECT_EQ(curve.Pick(curve.PixelOf(17) + QPointF(3, -2)), 17);
    EXPECT_EQ(curve.Pick(curve.PixelOf(0)), 0);
    EXPECT_EQ(curve.Pick(curve.PixelOf(49)), 49);
    EXPECT_EQ(curve.Pick(curve.PixelOf(17) + QPointF(5, 0)), -1);
    EXPECT_EQ(curve.Pick(curve.PixelOf(17) + QPointF(0, 4.5)), -1);
    EXPECT_EQ(curve.Pick(curve.PixelOf(0) - QPointF(6, 0)), -1);
    EXPECT_EQ(curve.Pick(curve.PixelOf(49) + QPointF(6, 0)), -1);
}

TEST(PointUnderPointer, ADenseCurveGivesTheNearestPointByPixelDistance) {
    Curve curve{{}, 100.0};  // ten samples a pixel, a step down after sample 500
    for (int i = 0; i < 1000; ++i) curve.pressures.push_back(i <= 500 ? 50.0 : 10.0);
    const QPointF edge = curve.PixelOf(500);
    EXPECT_EQ(curve.Pick(edge + QPointF(0.3, 0)), 500);  // 501.. are nearer in time, not in y
    EXPECT_EQ(curve.Pick(edge + QPointF(0.3, 60)), -1);
}

TEST(PointUnderPointer, OnlySamplesNearThePointerAreRead) {
    const Curve curve = Rising(32765, 5.0);
    EXPECT_EQ(curve.Pick(curve.PixelOf(300)), 300);
    EXPECT_LE(curve.reads, 5);  // a sample every 2 px: two either side and the one under it

    const AxisMap whole{0.0, 6553.0, 50.0, 1050.0};  // 33 samples a pixel
    EXPECT_EQ(curve.Pick(curve.PixelOf(12000, whole), whole), 12000);
    EXPECT_LE(curve.reads, 2 * 4 * 33 + 2);

    const AxisMap onePixel{0.0, 6553.0, 50.0, 51.0};
    curve.Pick(QPointF(50.5, kPressure.ToPixel(60.0)), onePixel);
    EXPECT_LE(curve.reads, kMaxPickCandidates);
}

TEST(PointUnderPointer, NothingWithoutSamplesRateOrAxis) {
    const Curve curve = Rising(10, 1.0);
    const QPointF at = curve.PixelOf(3);
    auto value = [](int) { return 0.0; };
    EXPECT_EQ(PointUnderPointer(0, 1.0, value, kTime, kPressure, at), -1);
    EXPECT_EQ(PointUnderPointer(10, 0.0, value, kTime, kPressure, at), -1);
    EXPECT_EQ(PointUnderPointer(10, std::nan(""), value, kTime, kPressure, at), -1);
    EXPECT_EQ(PointUnderPointer(10, 1.0, value, AxisMap{0, 1, 9, 9}, kPressure, at), -1);
    EXPECT_EQ(curve.Pick(QPointF(1e12, 0)), -1);
    EXPECT_EQ(curve.Pick(QPointF(-1e12, 0)), -1);
}

}  // namespace
}  // namespace porvel
