#include "output/clipboard_text.h"

#include <gtest/gtest.h>

#include "qt_printers.h"
#include "table_rows_builder.h"

namespace porvel {
namespace {

using namespace porvel::testing;
namespace col = column;

class ClipboardText : public ::testing::Test {
protected:
    void SetUp() override {
        FillColumn(t_, col::kMaterial, {"Бетон", "Бетон тяжёлый"});  // 5 and 13 characters
        t_.SetCell(col::kH, 2, QString());
        t_.SetCell(col::kGrade, 2, QStringLiteral(" - "));
        t_.SetHeaderLanguage(Language::Russian);
    }
    QStringList Lines(Language language) {
        t_.SetHeaderLanguage(language);
        const QString text = TableClipboardText(t_, language);
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
        return text.split(QStringLiteral("\r\n")).mid(0, t_.GridRowCount());
    }
    ArchiveTable t_;
};

TEST_F(ClipboardText, HeaderLinesGetATabMoreAfterDateAndObject) {
    EXPECT_EQ(Lines(Language::Russian)[0],
              "№\tВремя\tДата\t\tОбъект\t\tМатериал\tРатм, кПа\tm, с/см3\ta, см3/с\th, см\t"
              "Марка водонепроницаемости");
    EXPECT_EQ(Lines(Language::English)[0],
              "№\tTime\tDate\t\tObject\t\tMaterial\tPair, kPa\tm, s/cm3\ta, cm3/s\th, cm\t"
              "Brand waterproof");
}

TEST_F(ClipboardText, ShortCellsUnderLongHeadersGetATabPerEightHeaderCharacters) {
    t_.SetCell(col::kA, 1, QStringLiteral("12345678"));  // as long as "a, см3/с"
    const QStringList russian = Lines(Language::Russian);
    ASSERT_EQ(russian.size(), 3);
    // Only the line's very last TAB gives way to CR LF: three stay after the grade.
    EXPECT_EQ(russian[1],
              "1\t10:00\t05.11.2026\tПлита\tБетон\t\t101,3\t\t12,5\t\t12345678\t"
              "1,2\tW8\t\t\t");
    EXPECT_EQ(russian[2],
              "2\t10:00\t05.11.2026\tПлита\tБетон тяжёлый\t101,3\t\t12,5\t\t"
              "0,0800\t\t\t - \t\t\t");
    EXPECT_TRUE(Lines(Language::English)[1].endsWith("\t1,2\tW8\t\t"));  // 16 characters
}

TEST_F(ClipboardText, BlocksAreCutToTheVisibleColumns) {
    EXPECT_EQ(BlockClipboardText(t_, {4, 1, 6, 2}),
              "Бетон\t\t101,3\t\t12,5\t\r\nБетон тяжёлый\t101,3\t\t12,5\t\r\n");
    // A whole row, as its number cell selects it: never the bookkeeping columns.
    EXPECT_EQ(BlockClipboardText(t_, {0, 2, ArchiveTable::kColumns - 1, 2}),
              Lines(Language::Russian)[2] + "\r\n");
    EXPECT_TRUE(BlockClipboardText(t_, {}).isEmpty());
}

}  // namespace
}  // namespace porvel
