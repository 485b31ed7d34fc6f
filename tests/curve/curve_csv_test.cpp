// The plotted curves as CSV: one time column shared by curves of different rates, one pressure
// column per curve with its samples as measured.
#include <gtest/gtest.h>

#include "archive/archive_record.h"
#include "archive/curve_store.h"
#include "curve_rows.h"
#include "output/curve_csv.h"

using namespace porvel;
using porvel::testing::CurveRow;
using porvel::testing::PutMeasurement;

TEST(CurvesCsv, CurvesOfOtherRatesShareTheTimeColumn) {
    ArchiveTable table;
    CurveStore curves;
    CurveRow fast;
    fast.samples = 4;
    fast.rate = QStringLiteral("10");
    PutMeasurement(table, curves, 1, fast);
    CurveRow slow;
    slow.samples = 2;
    slow.rate = QStringLiteral("5");
    slow.slot = 1;
    PutMeasurement(table, curves, 2, slow);
    table.SetCell(column::kSampleRate, 3, QStringLiteral("0"));  // no curve: left out

    const QByteArray csv = CurvesCsv(table, curves, {2, 1, 3});
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    // Unsmoothed: a mean of the first samples would differ from the second on.
    auto kPa = [](std::uint16_t counts) {
        return QString::number(PressureToKPa(counts), 'f', 3).replace('.', ',');
    };
    const auto first = [&](int i) { return kPa(fast.word(i)); };
    const auto second = [&](int i) { return kPa(slow.word(i)); };
    // A Russian desktop: the decimal comma, so the fields are parted by ";".
    EXPECT_EQ(lines.mid(0, 6), QStringList({QStringLiteral("t, c;№ 2;№ 1"),
                                            QStringLiteral("0,000;%1;%2").arg(second(0), first(0)),
                                            QStringLiteral("0,100;;%1").arg(first(1)),
                                            QStringLiteral("0,200;%1;%2").arg(second(1), first(2)),
                                            QStringLiteral("0,300;;%1").arg(first(3)), QString()}));
}
