#include "base/locale_format.h"

#include <gtest/gtest.h>

#include <QLocale>

#include "qt_printers.h"

namespace porvel {
namespace {

class LocaleFormatTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = QLocale(); }
    void TearDown() override {
        QLocale::setDefault(saved_);
        ResetTimeFormat();
    }
    QLocale saved_;
};

// A file saved after a read holds "14:05"; a later run opens it before it has read anything,
// in a locale whose own time format has AM/PM.
TEST_F(LocaleFormatTest, HoursAndMinutesParseBeforeAnyRead) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ResetTimeFormat();
    EXPECT_EQ(ParseTime(QStringLiteral("14:05")), QTime(14, 5));
    EXPECT_EQ(ParseTime(QStringLiteral("2:05 PM")), QTime(14, 5));
    EXPECT_FALSE(ParseTime(QStringLiteral("NAN")).isValid());
}

TEST_F(LocaleFormatTest, ScientificFormKeepsTheLocaleSeparator) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FormatScientific(1.5e-3), QStringLiteral("1.500E-03"));
    EXPECT_EQ(FormatScientific(250), QStringLiteral("2.500E+02"));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(FormatScientific(1.5e-3), QStringLiteral("1,500E-03"));
    double value = 0;
    ASSERT_TRUE(ParseNumber(QStringLiteral("1,5E-03"), &value));
    EXPECT_DOUBLE_EQ(value, 1.5e-3);
    EXPECT_FALSE(ParseNumber(QStringLiteral("abc"), &value));
}

}  // namespace
}  // namespace porvel
