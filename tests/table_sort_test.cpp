#include "archive/table_sort.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <map>

#include "base/locale_format.h"
#include "qt_printers.h"
#include "table_rows_builder.h"

namespace porvel {
namespace {

using namespace porvel::testing;
namespace col = column;
namespace dir = sort_direction;

TEST(SortByColumn, NumbersDescendOnTheFirstClickThenAscend) {
    ArchiveTable t;
    FillColumn(t, col::kNumber, {"5", "12", "7"});
    const int first = TurnedSortDirection(dir::kNone);
    EXPECT_FALSE(SortByColumn(t, col::kNumber, first));
    EXPECT_EQ(Column(t, col::kNumber), QStringList({"12", "7", "5"}));
    EXPECT_FALSE(SortByColumn(t, col::kNumber, TurnedSortDirection(first)));
    EXPECT_EQ(Column(t, col::kNumber), QStringList({"5", "7", "12"}));
}

TEST(SortByColumn, GradesByTheNumberAfterTheFirstCharacterReadAsTheCLibraryDoes) {
    ArchiveTable t;
    FillColumn(t, col::kGrade, {"W4", " - ", "W12"});
    EXPECT_FALSE(SortByColumn(t, col::kGrade, dir::kAscending));
    EXPECT_EQ(Column(t, col::kGrade), QStringList({" - ", "W4", "W12"}));
    // Blanks before the digits skipped, a sign taken, the digits ending at anything else.
    FillColumn(t, col::kGrade, {"W 6", "W10a", "W-2", "W+3"});
    EXPECT_FALSE(SortByColumn(t, col::kGrade, dir::kDescending));
    EXPECT_EQ(Column(t, col::kGrade), QStringList({"W10a", "W 6", "W+3", "W-2"}));
}

// An empty cell stays empty: a blank in it would go into files and exports as a text.
TEST(SortByColumn, EmptyCellsStayEmptyAndNumericKeysReadThemAsZero) {
    ArchiveTable t;
    FillColumn(t, col::kH, {"12,5", "", "2,5", "-1,5"});  // "12,5" < "2,5" as texts
    t.SetCell(col::kObject, 2, QString());
    EXPECT_FALSE(SortByColumn(t, col::kNumber, dir::kAscending));
    EXPECT_EQ(t.Cell(col::kH, 2), QString());
    EXPECT_EQ(t.Cell(col::kObject, 2), QString());
    EXPECT_FALSE(SortByColumn(t, col::kH, dir::kAscending));
    EXPECT_EQ(Column(t, col::kH), QStringList({"-1,5", "", "2,5", "12,5"}));
}

TEST(SortByColumn, TextsFollowTheLocaleAndTellCaseApart) {
    ArchiveTable t;
    // By code point ё comes after я; in the Russian alphabet before ж.
    FillColumn(t, col::kMaterial, {"яма", "ёж", "жук", "дом"});
    EXPECT_FALSE(SortByColumn(t, col::kMaterial, dir::kAscending));
    EXPECT_EQ(Column(t, col::kMaterial), QStringList({"дом", "ёж", "жук", "яма"}));
    // Different keys, so descending is ascending reversed.
    FillColumn(t, col::kObject, {"бетон", "Бетон"});
    EXPECT_FALSE(SortByColumn(t, col::kObject, dir::kAscending));
    const QStringList up = Column(t, col::kObject);
    EXPECT_FALSE(SortByColumn(t, col::kObject, dir::kDescending));
    EXPECT_EQ(Column(t, col::kObject), QStringList({up[1], up[0]}));
}

TEST(SortByColumn, EveryRowTakesAllItsCellsAndItsCurveSlotAlong) {
    ArchiveTable t;
    FillColumn(t, col::kGrade, {"W4", " - ", "W12", "W6"});
    const QStringList numbers{"3", "1", "4", "2"}, hs{"0,4", "", "2,1", "1,0"};
    std::map<QString, QStringList> byNumber;
    for (int r = 1; r < t.GridRowCount(); ++r) {
        t.SetCell(col::kNumber, r, numbers[r - 1]);
        t.SetCell(col::kH, r, hs[r - 1]);
        byNumber[numbers[r - 1]] = RowOf(t, r);
    }
    for (int c : {col::kNumber, col::kH, col::kGrade})
        for (int direction : {dir::kAscending, dir::kDescending}) {
            ASSERT_FALSE(SortByColumn(t, c, direction));
            for (int r = 1; r < t.GridRowCount(); ++r)
                EXPECT_EQ(RowOf(t, r), byNumber.at(t.Cell(col::kNumber, r))) << c << " " << r;
        }
}

struct BadCell {
    int column;     // sorted
    int badColumn;  // holding the text that stops it
    const char* text;
};

class SortStoppedByACell : public ::testing::TestWithParam<BadCell> {};

TEST_P(SortStoppedByACell, BeforeAnyRowMoves) {
    ArchiveTable t;
    FillColumn(t, col::kNumber, {"5", "12", "7"});
    t.SetCell(col::kH, 1, QString());  // would turn into a blank if any row were written
    t.SetCell(GetParam().badColumn, 3, QString::fromUtf8(GetParam().text));
    const QStringList before = Snapshot(t);
    const auto error = SortByColumn(t, GetParam().column, dir::kDescending);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->text, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(error->column, GetParam().badColumn);
    EXPECT_EQ(error->row, 3);
    EXPECT_EQ(Snapshot(t), before);
}

INSTANTIATE_TEST_SUITE_P(Cells, SortStoppedByACell,
                         ::testing::Values(BadCell{col::kNumber, col::kNumber, ""},
                                           BadCell{col::kNumber, col::kNumber, "12a"},
                                           BadCell{col::kTime, col::kTime, "25:61"},
                                           BadCell{col::kDate, col::kDate, "31.02.2026"},
                                           BadCell{col::kDate, col::kTime, "NAN"},
                                           BadCell{col::kA, col::kA, "NAN"},
                                           BadCell{col::kM, col::kM, "1,5.0"}));

// An archive read on a Russian desktop sorts by m on an English one, and the other way round.
TEST(SortByColumn, NumbersOfTheOtherDesktopSortToo) {
    for (const char* desktop : {"en_US", "ru_RU"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(desktop)));
        ArchiveTable t;
        FillColumn(t, col::kM, {"11,5", "2.25", "7,0"});
        EXPECT_FALSE(SortByColumn(t, col::kM, dir::kAscending)) << desktop;
        EXPECT_EQ(Column(t, col::kM), QStringList({"2.25", "7,0", "11,5"})) << desktop;
    }
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

// A comma locale and a month-first point locale, with the hours-and-minutes time format of a
// read and with the locale's own.
class DateTimeSort : public ::testing::TestWithParam<std::pair<const char*, bool>> {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QString::fromLatin1(GetParam().first)));
        GetParam().second ? UseHoursMinutesTimeFormat() : ResetTimeFormat();
    }
    void TearDown() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        ResetTimeFormat();
    }
};

TEST_P(DateTimeSort, DateSortsByDateAndTimeButTimeByTimeOfDayAlone) {
    ArchiveTable t;
    FillColumn(t, col::kNumber, {"1", "2", "3", "4"});
    const QDateTime when[] = {{QDate(2026, 11, 5), QTime(14, 0)},
                              {QDate(2026, 11, 4), QTime(15, 30)},
                              {QDate(2026, 11, 5), QTime(9, 5)},
                              {QDate(2025, 12, 31), QTime(23, 59)}};
    for (int r = 1; r <= 4; ++r) {
        t.SetCell(col::kDate, r, FormatDate(when[r - 1].date()));
        t.SetCell(col::kTime, r, FormatTime(when[r - 1].time()));
    }
    EXPECT_FALSE(SortByColumn(t, col::kDate, dir::kAscending));
    EXPECT_EQ(Column(t, col::kNumber), QStringList({"4", "2", "3", "1"}));
    EXPECT_FALSE(SortByColumn(t, col::kTime, dir::kAscending));
    EXPECT_EQ(Column(t, col::kNumber), QStringList({"3", "1", "2", "4"}));
}

INSTANTIATE_TEST_SUITE_P(Locales, DateTimeSort,
                         ::testing::Values(std::pair{"ru_RU", true}, std::pair{"en_US", true},
                                           std::pair{"en_US", false}));

}  // namespace
}  // namespace porvel
