#include "plot/curve_builder.h"

#include <gtest/gtest.h>

#include <memory>

#include "archive/archive_record.h"
#include "curve_rows.h"

namespace porvel {
namespace {

using testing::CurveRow;
using testing::PutMeasurement;

class CurveBuilderTest : public ::testing::Test {
protected:
    std::optional<CurvePoints> Build(const CurveRow& m) {
        PutMeasurement(table, *curves, 1, m);
        return BuildCurve(table, *curves, 1);
    }
    ArchiveTable table;
    std::unique_ptr<CurveStore> curves = std::make_unique<CurveStore>();
};

// The mean of the converted words from..to, as the chart should show point `to`.
double MeanOf(const CurveRow& m, int from, int to) {
    double sum = 0.0;
    for (int i = from; i <= to; ++i) sum += PressureToKPa(m.word(i));
    return sum / (to - from + 1);
}

TEST_F(CurveBuilderTest, PlotsEverySampleButTheEndMarkerAndChecksum) {
    CurveRow m;
    m.samples = 40;
    m.rate = QStringLiteral("2,5");  // the locale's notation
    m.slot = 7;
    const std::optional<CurvePoints> curve = Build(m);
    ASSERT_TRUE(curve);
    ASSERT_EQ(curve->times.size(), m.samples);
    for (int i = 0; i < m.samples; ++i) {
        EXPECT_DOUBLE_EQ(curve->times[i], i / 2.5);
        EXPECT_NEAR(curve->pressures[i], MeanOf(m, std::max(0, i - 6), i), 1e-9) << i;
    }
    EXPECT_EQ(curve->extent.minX, 0.0);
    EXPECT_DOUBLE_EQ(curve->extent.maxX, (m.samples - 1) / 2.5);
    EXPECT_DOUBLE_EQ(curve->extent.minY, curve->pressures.front());
    EXPECT_DOUBLE_EQ(curve->extent.maxY, curve->pressures.back());
}

TEST_F(CurveBuilderTest, AZeroWordIsPlottedAsZeroAndRestartsTheSmoothing) {
    CurveRow m;
    m.samples = 20;
    m.word = [](int i) { return static_cast<std::uint16_t>(i == 9 ? 0 : 5000 + 11 * i); };
    const std::optional<CurvePoints> curve = Build(m);
    ASSERT_TRUE(curve);
    EXPECT_EQ(curve->pressures[9], 0.0);
    EXPECT_EQ(curve->extent.minY, 0.0);
    EXPECT_DOUBLE_EQ(curve->pressures[10], PressureToKPa(m.word(10)));
    EXPECT_NEAR(curve->pressures[12], MeanOf(m, 10, 12), 1e-9);
    EXPECT_NEAR(curve->pressures[19], MeanOf(m, 13, 19), 1e-9);
}

TEST_F(CurveBuilderTest, LengthsOfTwoOrLessGiveNoPointsAndLongOnesStopAtTheSlot) {
    for (const QString length : {"2", "1", "0", "-7"}) {
        PutMeasurement(table, *curves, 1, CurveRow{});
        table.SetCell(column::kCurveLength, 1, length);
        const std::optional<CurvePoints> curve = BuildCurve(table, *curves, 1);
        ASSERT_TRUE(curve) << length.toStdString();
        EXPECT_TRUE(curve->times.isEmpty());
        EXPECT_TRUE(curve->extent.empty);
    }
    table.SetCell(column::kCurveLength, 1, QStringLiteral("70000"));
    const std::optional<CurvePoints> curve = BuildCurve(table, *curves, 1);
    ASSERT_TRUE(curve);
    // Never past the words the store holds, whatever the length cell claims.
    EXPECT_EQ(static_cast<std::size_t>(curve->times.size()), curves->WordCount(0));
}

TEST_F(CurveBuilderTest, RowsWhoseCurveCannotBeReadGiveNothing) {
    const struct {
        int col;
        const char* text;
    } spoiled[] = {
        {column::kSampleRate, "0"}, {column::kSampleRate, "-5"},   {column::kSampleRate, "NAN"},
        {column::kSampleRate, ""},  {column::kCurveLength, "NAN"}, {column::kCurveLength, "1,5"},
        {column::kSlot, "NAN"},     {column::kSlot, "-1"},         {column::kSlot, "100000"},
    };
    CurveRow m;
    m.samples = 10;
    for (const auto& cell : spoiled) {
        PutMeasurement(table, *curves, 1, m);
        table.SetCell(cell.col, 1, QString::fromLatin1(cell.text));
        EXPECT_FALSE(BuildCurve(table, *curves, 1)) << cell.col << " '" << cell.text << "'";
    }
    EXPECT_FALSE(BuildCurve(table, *curves, 0));
    EXPECT_FALSE(BuildCurve(table, *curves, table.GridRowCount()));
}

}  // namespace
}  // namespace porvel
