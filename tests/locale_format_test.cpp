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

// The full stop is read as a decimal separator everywhere; a group separator never, so that a
// Russian "2,500E-01" pasted on an English desktop is refused rather than read as 250.
TEST_F(LocaleFormatTest, NumbersTakeTheFullStopAndRefuseGroupSeparators) {
    struct Case {
        QLocale locale;
        const char* text;
        bool ok;
        double value;
    };
    const QLocale ru(QLocale::Russian, QLocale::Russia),
        en(QLocale::English, QLocale::UnitedStates);
    const Case cases[] = {
        {ru, "0,25", true, 0.25},      {ru, "2.5E-01", true, 0.25}, {ru, "-1,5e-03", true, -1.5e-3},
        {ru, "1.5", true, 1.5},        {ru, "1,000.5", false, 0},   {ru, "1\u00a0000", false, 0},
        {en, "2.500E-01", true, 0.25}, {en, "2,500E-01", false, 0}, {en, "1,000", false, 0},
        {en, "abc", false, 0},
    };
    for (const Case& c : cases) {
        QLocale::setDefault(c.locale);
        double value = -7;
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(ParseNumber(text, &value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        }
    }
}

}  // namespace
}  // namespace porvel
