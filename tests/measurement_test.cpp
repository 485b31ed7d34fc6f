// The one reader of table texts: its fast forms must say what the locale's parser says, on
// either desktop, and a text that is no value stays a text with no value.
#include "archive/measurement.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>

#include "base/locale_format.h"
#include "qt_printers.h"

namespace porvel {
namespace {

class MeasurementReaderTest : public ::testing::TestWithParam<QLocale::Language> {
protected:
    void SetUp() override {
        saved_ = QLocale();
        QLocale::setDefault(GetParam() == QLocale::Russian
                                ? QLocale(QLocale::Russian, QLocale::Russia)
                                : QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { QLocale::setDefault(saved_); }
    QLocale saved_;
};

TEST_P(MeasurementReaderTest, NumbersReadAsTheLocaleReadsThemWithEitherSeparator) {
    const TableTextReader reader;
    for (const char* text :
         {"11,5", "11.5", " 0,4000 ", "-7", "1,250E+01", "2.5e-3", "1,5E-03", "007", "1,000.5",
          "1,2,3", "NAN", "", "W8", "12,", ".5", "+3", "1e400", "١٢"}) {
        const QString cell = QString::fromUtf8(text);
        double expected = 0;
        const bool known = !cell.trimmed().isEmpty() && ParseTableNumber(cell, &expected);
        const std::optional<double> read = reader.Number(cell);
        ASSERT_EQ(read.has_value(), known) << text;
        if (known) {
            EXPECT_TRUE(*read == expected || (std::isnan(*read) && std::isnan(expected))) << text;
        }
    }
}

TEST_P(MeasurementReaderTest, DatesInEitherDesktopsFormAndTimesToTheMinute) {
    const TableTextReader reader;
    EXPECT_EQ(reader.Date(u"09.01.2019"), QDate(2019, 1, 9));
    EXPECT_EQ(reader.Date(u"1/9/2019"), QDate(2019, 1, 9));
    EXPECT_EQ(reader.Date(u"31.02.2019"), QDate());
    EXPECT_EQ(reader.Date(u"NAN"), QDate());
    EXPECT_EQ(TableTextReader::Time(u"08:05"), QTime(8, 5));
    EXPECT_EQ(TableTextReader::Time(u"24:00"), QTime());
}

INSTANTIATE_TEST_SUITE_P(Desktops, MeasurementReaderTest,
                         ::testing::Values(QLocale::Russian, QLocale::English));

TEST(MeasurementReader, ADayFirstSlashedDesktopReadsItsOwnOrder) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(TableTextReader().Date(u"09/01/2019"), QDate(2019, 1, 9));
    QLocale::setDefault(saved);
}

TEST(MeasurementReader, ARowSaysItsValuesAndNoneForForeignTexts) {
    const TableTextReader reader;
    RowTexts texts;
    texts[column::kNumber] = QStringLiteral("6");
    texts[column::kTime] = QStringLiteral("14:05");
    texts[column::kDate] = QStringLiteral("03.05.2024");
    texts[column::kM] = QStringLiteral("сорок");
    texts[column::kA] = QStringLiteral("0,0870");
    texts[column::kH] = QStringLiteral(" ");
    texts[column::kGrade] = QStringLiteral("W12");
    texts[column::kCurveLength] = QStringLiteral("602");
    texts[column::kSampleRate] = QStringLiteral("4");
    texts[column::kSlot] = QStringLiteral("x");
    const Measurement m = ReadMeasurement(texts, reader);
    EXPECT_FALSE(m.blank);
    EXPECT_EQ(m.number, 6);
    EXPECT_EQ(QDateTime(m.date, m.time), QDateTime(QDate(2024, 5, 3), QTime(14, 5)));
    EXPECT_FALSE(m.m);
    EXPECT_EQ(m.a, 0.087);
    EXPECT_FALSE(m.h);
    EXPECT_EQ(m.grade, 12);
    EXPECT_EQ(m.SampleCount(), 600);
    EXPECT_EQ(m.sampleRate, 4.0);
    EXPECT_FALSE(m.slot);
    texts[column::kGrade] = QStringLiteral(" - ");
    EXPECT_FALSE(ReadMeasurement(texts, reader).grade);
}

}  // namespace
}  // namespace porvel
