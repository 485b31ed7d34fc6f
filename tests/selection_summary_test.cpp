// The summary of selected measurements and the grade of a value of m on Table W.
#include <gtest/gtest.h>

#include <QLocale>

#include "archive/archive_table.h"
#include "archive/selection_summary.h"

using namespace porvel;

TEST(GradeOfM, RoundsToTheTablesDecimalAndSaysWhatLiesOutside) {
    struct Case {
        double m;
        GradePlace::Where where;
        const char* grade;
    };
    for (const Case& c :
         {Case{3.04, GradePlace::Below, nullptr}, Case{3.05, GradePlace::Within, "W2"},
          Case{4.54, GradePlace::Within, "W2"}, Case{4.56, GradePlace::Within, "W4"},
          Case{13.7, GradePlace::Within, "W8"}, Case{13.76, GradePlace::Within, "W10"},
          Case{130.24, GradePlace::Within, "W20"}, Case{130.26, GradePlace::Above, nullptr}}) {
        const GradePlace place = GradeOfM(c.m);
        EXPECT_EQ(place.where, c.where) << c.m;
        if (c.grade) {
            EXPECT_STREQ(kGradeRanges[static_cast<std::size_t>(place.index)].grade, c.grade) << c.m;
        }
    }
}

namespace {

void Fill(ArchiveTable& table, const std::vector<std::pair<QString, QString>>& mAndA) {
    table.SetGridRowCount(static_cast<int>(mAndA.size()) + 2);  // and one empty row at the end
    int row = 1;
    for (const auto& [m, a] : mAndA) {
        table.SetCell(column::kNumber, row, QString::number(row));
        table.SetCell(column::kM, row, m);
        table.SetCell(column::kA, row, a);
        ++row;
    }
}

}  // namespace

TEST(SelectionSummary, RowsWithoutMAreCountedApartAndLeftOutOfTheMeans) {
    ArchiveTable table;
    Fill(table, {{"12,0", "0,0833"}, {"NAN", "NAN"}, {"14,0", "0,0714"}, {"", ""}, {"13,0", "x"}});
    const SelectionSummary s = Summarize(table, {1, 2, 3, 4, 5, 6, 99});
    EXPECT_EQ(s.rows, 5);  // the empty row 6 and row 99 are no measurements
    EXPECT_EQ(s.withoutM, 2);
    EXPECT_DOUBLE_EQ(s.meanM, 13.0);
    EXPECT_DOUBLE_EQ(s.minM, 12.0);
    EXPECT_DOUBLE_EQ(s.maxM, 14.0);
    EXPECT_NEAR(s.variationPercent, 100.0 / 13.0, 1e-12);  // sample deviation 1
    EXPECT_NEAR(s.meanA, (0.0833 + 0.0714) / 2, 1e-12);    // row 5's a is no number
    EXPECT_EQ(SummaryLine(s, Language::Russian),
              QStringLiteral("Выделено 5: m ср. 13,0 (12,0 – 14,0), коэф. вариации 7,7 %, "
                             "a ср. 0,0774, марка по средней m W8; без m: 2"));
    EXPECT_EQ(SummaryTable(s, Language::English).split('\n')[1],
              QStringLiteral("5\t13,0\t12,0\t14,0\t7,7\t0,0774\tW8\t2"));
}

TEST(SelectionSummary, NoNumberForMAndASingleValueAreSaidInWords) {
    ArchiveTable table;
    Fill(table, {{"NAN", ""}, {"140,0", "0,0071"}});
    EXPECT_EQ(SummaryLine(Summarize(table, {1}), Language::English),
              QStringLiteral("Selected 1: no row has a number for m; without m: 1"));
    EXPECT_EQ(SummaryGrade(Summarize(table, {1}), Language::Russian), QStringLiteral("нет"));
    const SelectionSummary single = Summarize(table, {2});
    EXPECT_FALSE(single.hasVariation);
    EXPECT_EQ(SummaryGrade(single, Language::Russian), QStringLiteral("выше W20"));
    EXPECT_TRUE(SummaryTable(single, Language::Russian).contains(QStringLiteral("\t—\t")));
}

TEST(SelectionSummary, AnArchiveFromTheOtherDesktopIsSummedUpToo) {
    ArchiveTable table;
    Fill(table, {{"11,5", "0,0870"}, {"12.5", "0.0800"}});
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const SelectionSummary english = Summarize(table, {1, 2});
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(english.withoutM, 0);
    EXPECT_DOUBLE_EQ(english.meanM, 12.0);
    EXPECT_NEAR(english.meanA, 0.0835, 1e-12);
}
