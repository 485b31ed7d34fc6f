#include "archive/enter_records.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

#include <QLocale>

#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "base/locale_format.h"
#include "record_builder.h"
#include "wire/name_tables.h"

namespace porvel {
namespace {

using testing::ReceivedBatch;
using testing::RecordFields;
namespace col = column;

struct LocaleRow {
    const char* name;
    const char* date;  // 5 November 2026
    const char* time;  // 14:05
    const char* decimal;
};

class EnterRecordsTest : public ::testing::TestWithParam<LocaleRow> {
protected:
    void SetUp() override {
        saved_ = QLocale();
        QLocale::setDefault(QLocale(QString::fromLatin1(GetParam().name)));
        ResetTimeFormat();
    }
    void TearDown() override {
        QLocale::setDefault(saved_);
        ResetTimeFormat();
    }

    // "1,2" in a comma locale, "1.2" in a point locale.
    QString Num(const char* pointText) const {
        return QString::fromLatin1(pointText).replace(QLatin1Char('.'),
                                                      QString::fromLatin1(GetParam().decimal));
    }

    unsigned Enter(const ReceivedBatch& batch, Language language = Language::Russian) {
        return EnterRecords(table_, curves_, batch.count, batch.records.data(), batch.curves.data(),
                            objects_, materials_, language);
    }

    ArchiveTable table_;
    CurveStore curves_;
    NameTable objects_ = DefaultObjectNames();
    NameTable materials_ = DefaultMaterialNames();
    QLocale saved_;
};

TEST_P(EnterRecordsTest, CellFormats) {
    ReceivedBatch batch;
    RecordFields a;
    a.number = 65535;
    a.grade = 0;
    a.m = 2.5f;
    a.h = 1.24f;
    a.hour = 14, a.minute = 5, a.second = 37, a.day = 5, a.month = 11, a.year = 26;
    a.object = 3;
    a.material = 0;
    a.atmosphere = 13108;
    batch.Add(a, {1, 2, 3});
    RecordFields b = a;
    b.number = 7, b.grade = 8, b.m = 0.0f, b.h = 0.006f, b.atmosphere = 65535, b.minute = 6;
    b.object = 25, b.material = 20;
    batch.Add(b);

    Enter(batch);
    ASSERT_EQ(table_.GridRowCount(), 3);
    EXPECT_EQ(table_.Cell(col::kNumber, 1), QStringLiteral("65535"));
    EXPECT_EQ(table_.Cell(col::kTime, 1), QString::fromLatin1(GetParam().time));
    EXPECT_EQ(table_.Cell(col::kDate, 1), QString::fromLatin1(GetParam().date));
    EXPECT_EQ(table_.Cell(col::kObject, 1), QStringLiteral("Свая"));
    EXPECT_EQ(table_.Cell(col::kMaterial, 1), QStringLiteral("Бетон "));
    EXPECT_EQ(table_.Cell(col::kAtmosphere, 1), Num("103.4"));
    EXPECT_EQ(table_.Cell(col::kM, 1), Num("2.5"));
    EXPECT_EQ(table_.Cell(col::kA, 1), Num("0.4000"));
    EXPECT_EQ(table_.Cell(col::kH, 1), Num("1.2"));
    EXPECT_EQ(table_.Cell(col::kGrade, 1), QStringLiteral(" - "));
    EXPECT_EQ(table_.Cell(col::kCurveLength, 1), QStringLiteral("5"));
    EXPECT_EQ(table_.Cell(col::kSampleRate, 1), QStringLiteral("4"));
    EXPECT_EQ(table_.Cell(col::kSlot, 1), QStringLiteral("0"));

    EXPECT_EQ(table_.Cell(col::kGrade, 2), QStringLiteral("W8"));
    EXPECT_EQ(table_.Cell(col::kM, 2), Num("0.0"));
    EXPECT_EQ(table_.Cell(col::kA, 2), QStringLiteral("NAN"));
    EXPECT_EQ(table_.Cell(col::kAtmosphere, 2), Num("517.0"));
    EXPECT_EQ(table_.Cell(col::kH, 2), Num("0.0"));
    EXPECT_EQ(table_.Cell(col::kObject, 2), QStringLiteral("NAN"));
    EXPECT_EQ(table_.Cell(col::kMaterial, 2), QStringLiteral("NAN"));
}

TEST_P(EnterRecordsTest, HIsShownOnlyWhenItRoundsAwayFromZero) {
    const std::vector<std::pair<float, const char*>> rows = {
        {0.004f, ""},  {0.006f, "0.0"},  {0.04f, "0.0"},  {1.24f, "1.2"},
        {-0.006f, ""}, {-0.016f, "0.0"}, {-1.26f, "-1.3"}};
    ReceivedBatch batch;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        RecordFields f;
        f.h = rows[i].first;
        f.minute = static_cast<int>(i);
        batch.Add(f);
    }
    Enter(batch);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString expected =
            QString::fromLatin1(rows[i].second).isEmpty() ? QString() : Num(rows[i].second);
        EXPECT_EQ(table_.Cell(col::kH, static_cast<int>(i) + 1), expected) << rows[i].first;
    }
}

TEST_P(EnterRecordsTest, ValuesThatCannotBeShownReadNan) {
    ReceivedBatch batch;
    RecordFields f;
    f.m = std::numeric_limits<float>::quiet_NaN();
    f.h = std::numeric_limits<float>::infinity();
    f.month = 0;
    f.hour = 24;
    batch.Add(f);
    Enter(batch);
    EXPECT_EQ(table_.Cell(col::kM, 1), QStringLiteral("NAN"));
    EXPECT_EQ(table_.Cell(col::kA, 1), QStringLiteral("NAN"));
    EXPECT_EQ(table_.Cell(col::kH, 1), QStringLiteral("NAN"));
    EXPECT_EQ(table_.Cell(col::kDate, 1), QStringLiteral("NAN"));
    EXPECT_EQ(table_.Cell(col::kTime, 1), QStringLiteral("NAN"));
    EXPECT_EQ(table_.Cell(col::kGrade, 1), QStringLiteral("W8"));  // the rest goes on
}

TEST_P(EnterRecordsTest, FreshLoadReplacesTheStartTable) {
    ASSERT_EQ(table_.GridRowCount(), 9);
    ASSERT_TRUE(table_.IsEmpty());
    ReceivedBatch batch;
    for (int i = 0; i < 3; ++i) {
        RecordFields f;
        f.number = static_cast<std::uint16_t>(100 + i);
        f.minute = i;
        batch.Add(f, {static_cast<std::uint16_t>(1000 * (i + 1)), 7});
    }
    Enter(batch);
    ASSERT_EQ(table_.GridRowCount(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table_.Cell(col::kNumber, i + 1), QString::number(100 + i));
        EXPECT_EQ(table_.Cell(col::kSlot, i + 1), QString::number(i));
        EXPECT_EQ(curves_.Words(i)[0], 1000 * (i + 1));
        EXPECT_EQ(curves_.Words(i)[2], protocol::kEndMarker);
    }
    EXPECT_EQ(TimeFormat().size(), 5);  // hours and minutes from now on
}

TEST_P(EnterRecordsTest, NoRecordsIntoAnEmptyTableAddsOneEmptyRow) {
    ReceivedBatch none;
    Enter(none);
    EXPECT_EQ(table_.GridRowCount(), 10);
    EXPECT_TRUE(table_.IsEmpty());
}

TEST_P(EnterRecordsTest, AppendSkipsTheSameMinuteAndAddsTheNext) {
    ReceivedBatch first;
    for (int i = 0; i < 3; ++i) {
        RecordFields f;
        f.hour = 9, f.minute = 10 + i, f.second = 5;
        first.Add(f);
    }
    Enter(first);

    ReceivedBatch second;
    RecordFields same;
    same.hour = 9, same.minute = 11, same.second = 59;  // seconds differ only
    second.Add(same);
    RecordFields next;
    next.hour = 9, next.minute = 13, next.number = 42;
    second.Add(next, {555});
    RecordFields sameBatch = next;  // same minute as one added earlier in this batch
    sameBatch.number = 43;
    second.Add(sameBatch);
    RecordFields otherDay = same;
    otherDay.day = 2, otherDay.number = 44;
    second.Add(otherDay);
    Enter(second);

    ASSERT_EQ(table_.GridRowCount(), 6);
    EXPECT_EQ(table_.Cell(col::kNumber, 4), QStringLiteral("42"));
    EXPECT_EQ(table_.Cell(col::kSlot, 4), QStringLiteral("3"));
    EXPECT_EQ(curves_.Words(3)[0], 555);
    EXPECT_EQ(table_.Cell(col::kNumber, 5), QStringLiteral("44"));
    EXPECT_EQ(table_.Cell(col::kSlot, 5), QStringLiteral("4"));
}

TEST_P(EnterRecordsTest, AppendNeverReusesASlotThatARowNames) {
    ReceivedBatch first;
    for (int i = 0; i < 3; ++i) {
        RecordFields f;
        f.minute = i;
        first.Add(f, {static_cast<std::uint16_t>(10 + i)});
    }
    Enter(first);
    // As after deleting the row of slot 1: rows keep slots 0 and 2.
    table_.SetCell(col::kSlot, 2, QStringLiteral("2"));
    table_.SetCell(col::kNumber, 2, QStringLiteral("3"));
    table_.SetGridRowCount(3);
    ASSERT_EQ(curves_.Words(2)[0], 12);

    ReceivedBatch more;
    RecordFields a;
    a.minute = 30;
    more.Add(a, {777});
    RecordFields b;
    b.minute = 31;
    more.Add(b, {888});
    Enter(more);

    EXPECT_EQ(table_.Cell(col::kSlot, 3), QStringLiteral("1"));
    EXPECT_EQ(table_.Cell(col::kSlot, 4), QStringLiteral("3"));
    EXPECT_EQ(curves_.Words(2)[0], 12);  // the kept row's curve is untouched
    EXPECT_EQ(curves_.Words(1)[0], 777);
    EXPECT_EQ(curves_.Words(3)[0], 888);
}

TEST_P(EnterRecordsTest, AnAppendBeyondTheCurveBudgetSaysHowManyItLeftOut) {
    CurveStore small(11);  // words: each curve below takes its samples + 2
    curves_.Swap(small);
    ReceivedBatch first;
    RecordFields f;
    first.Add(f, {1, 2});
    ASSERT_EQ(Enter(first), 0u);

    ReceivedBatch more;
    more.Add(f, {1, 2});  // a duplicate of row 1: neither entered nor left out
    RecordFields a, b, c;
    a.minute = 31;
    b.minute = 32;
    c.minute = 33;
    more.Add(a, {3, 4});  // 8 words in all
    more.Add(b, {5, 6});  // 12: beyond the budget
    more.Add(c, {7});     // 11 would fit, but comes after a left-out one
    EXPECT_EQ(Enter(more), 2u);
    ASSERT_EQ(table_.GridRowCount(), 3);
    EXPECT_EQ(table_.Cell(col::kTime, 2), FormatTime(QTime(12, 31)));
}

TEST_P(EnterRecordsTest, RowsThatDoNotParseTakeNoPartInTheDuplicateTest) {
    ReceivedBatch first;
    RecordFields f;
    first.Add(f);
    Enter(first);
    table_.SetGridRowCount(4);  // empty rows after the data
    table_.SetCell(col::kNumber, 2, QStringLiteral("9"));
    table_.SetCell(col::kDate, 2, QStringLiteral("NAN"));
    table_.SetCell(col::kTime, 2, table_.Cell(col::kTime, 1));

    ReceivedBatch again;
    again.Add(f);  // duplicates row 1
    RecordFields other;
    other.minute = 44;
    again.Add(other);
    Enter(again);
    ASSERT_EQ(table_.GridRowCount(), 5);
    EXPECT_EQ(table_.Cell(col::kTime, 4), FormatTime(QTime(12, 44)));
}

TEST_P(EnterRecordsTest, AppendTakesTheNextSlotBeyondTheFirstHundreds) {
    // A table as an opened file may leave it: more rows than a file's slot numbers are kept for.
    const int rows = kKeptSlotNumbers + 10;
    table_.SetGridRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        table_.SetCell(col::kNumber, r, QString::number(r));
        table_.SetCell(col::kSlot, r, QString::number(r - 1));
    }
    ReceivedBatch batch;
    batch.Add(RecordFields{}, {4242});
    Enter(batch);
    ASSERT_EQ(table_.GridRowCount(), rows + 2);
    EXPECT_EQ(table_.Cell(col::kSlot, rows + 1), QString::number(rows));
    ASSERT_TRUE(curves_.Has(rows));
    EXPECT_EQ(curves_.Words(rows)[0], 4242);
    EXPECT_EQ(curves_.CurveCount(), 1u);
}

TEST_P(EnterRecordsTest, NamesKeepTheLanguageOfTheRead) {
    ReceivedBatch batch;
    RecordFields f;
    f.object = 3, f.material = 5;
    batch.Add(f);
    Enter(batch, Language::English);
    table_.SetHeaderLanguage(Language::Russian);
    EXPECT_EQ(table_.Cell(col::kObject, 1), QStringLiteral("Pile"));
    EXPECT_EQ(table_.Cell(col::kMaterial, 1), QStringLiteral("Wood"));
    EXPECT_EQ(table_.Header(col::kObject), QStringLiteral("Объект"));
}

INSTANTIATE_TEST_SUITE_P(Locales, EnterRecordsTest,
                         ::testing::Values(LocaleRow{"ru_RU", "05.11.2026", "14:05", ","},
                                           LocaleRow{"en_US", "11/5/2026", "14:05", "."},
                                           LocaleRow{"en_GB", "05/11/2026", "14:05", "."},
                                           LocaleRow{"fi_FI", "5.11.2026", "14.05", ","}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace porvel
