// The program's version information and its build date text.
#include <gtest/gtest.h>

#include "base/program_version.h"

namespace porvel {
namespace {

TEST(SplitBuildDate, SplitsTheCompilersFormIncludingAPaddedOneDigitDay) {
    const auto date = SplitBuildDate(QStringLiteral("Mar 24 2014"));
    ASSERT_TRUE(date);
    EXPECT_EQ(date->month, QStringLiteral("Mar"));
    EXPECT_EQ(date->day, QStringLiteral("24"));
    EXPECT_EQ(date->year, QStringLiteral("2014"));

    // __DATE__ pads a one-digit day with a blank: the day is "4", not an empty field.
    const auto padded = SplitBuildDate(QStringLiteral("Mar  4 2014"));
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->day, QStringLiteral("4"));
    EXPECT_EQ(padded->year, QStringLiteral("2014"));
}

TEST(SplitBuildDate, RefusesTextsWithoutThreeFieldsOfTheirWidths) {
    for (const char* text :
         {"", "   ", "Mar 24", "Mar24 2014", "March 24 2014", "Mar 124 2014", "Mar 24 20145"})
        EXPECT_FALSE(SplitBuildDate(QString::fromLatin1(text))) << text;
}

TEST(VersionString, NeedsTheInformationItsTranslationTheTableAndTheEntry) {
    VersionInfo info;
    info.stringTables[QStringLiteral("041904E3")][QStringLiteral("FileVersion")] =
        QStringLiteral("2.3.4.5");
    EXPECT_FALSE(VersionString(info, QStringLiteral("FileVersion")));  // not present
    info.present = true;
    EXPECT_FALSE(VersionString(info, QStringLiteral("FileVersion")));  // no translation
    info.translation = VersionTranslation{0x0409, 0x04B0};
    EXPECT_FALSE(VersionString(info, QStringLiteral("FileVersion")));  // another table
    info.translation = VersionTranslation{0x0419, 0x04E3};
    EXPECT_EQ(VersionString(info, QStringLiteral("FileVersion")), QStringLiteral("2.3.4.5"));
    EXPECT_FALSE(VersionString(info, QStringLiteral("LegalCopyright")));
}

TEST(VersionString, KeyIsEightUpperCaseHexDigits) {
    EXPECT_EQ(TranslationKey({0x0419, 0x04E3}), QStringLiteral("041904E3"));
    EXPECT_EQ(TranslationKey({0x000a, 0xfffe}), QStringLiteral("000AFFFE"));
}

TEST(ProgramVersionInfo, CarriesTheFileVersionAndCopyrightAndASplittableBuildDate) {
    const VersionInfo& info = ProgramVersionInfo();
    EXPECT_EQ(VersionString(info, QStringLiteral("FileVersion")), QStringLiteral("1.0.0.0"));
    const auto copyright = VersionString(info, QStringLiteral("LegalCopyright"));
    ASSERT_TRUE(copyright);
    EXPECT_TRUE(copyright->contains(QStringLiteral("example.org")));
    EXPECT_TRUE(SplitBuildDate(BuildDateText())) << BuildDateText().toStdString();
}

}  // namespace
}  // namespace porvel
