// The find bar's filter: which rows a text and a date range let through.
#include <gtest/gtest.h>

#include "archive/archive_table.h"
#include "archive/row_filter.h"

using namespace porvel;

TEST(RowFilter, TextAndDatesChooseTheRowsShown) {
    ArchiveTable table;
    table.SetGridRowCount(6);  // four measurements and an empty row
    const struct {
        const char* number;
        const char* date;
        const char* object;
        const char* material;
        const char* grade;
    } rows[] = {{"12", "05.11.2026", "Свая", "Бетон B25", "W8"},
                {"13", "06.11.2026", "Плита", "Бетон B30", "W10"},
                {"120", "07.11.2026", "Мост", "Керамзит", "W12"},
                {"14", "не дата", "Опора", "Бетон", "W8"}};
    for (int r = 0; r < 4; ++r) {
        table.SetCell(column::kNumber, r + 1, QString::fromUtf8(rows[r].number));
        table.SetCell(column::kDate, r + 1, QString::fromUtf8(rows[r].date));
        table.SetCell(column::kObject, r + 1, QString::fromUtf8(rows[r].object));
        table.SetCell(column::kMaterial, r + 1, QString::fromUtf8(rows[r].material));
        table.SetCell(column::kGrade, r + 1, QString::fromUtf8(rows[r].grade));
    }
    const QDate nov6(2026, 11, 6);
    const struct {
        RowFilter filter;
        std::vector<bool> shown;
    } cases[] = {
        {{}, {true, true, true, true, true}},  // no filter: every row, the empty one too
        {{QStringLiteral("  СВАЯ "), {}, {}}, {true, false, false, false, false}},
        {{QStringLiteral("бетон"), {}, {}}, {true, true, false, true, false}},
        {{QStringLiteral("w1"), {}, {}}, {false, true, true, false, false}},
        {{QStringLiteral("12"), {}, {}}, {true, false, true, false, false}},  // number and grade
        {{QString(), nov6, QDate()}, {false, true, true, false, false}},
        {{QString(), QDate(), nov6}, {true, true, false, false, false}},
        {{QStringLiteral("бетон"), nov6, nov6}, {false, true, false, false, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownRows(table, c.filter), c.shown) << c.filter.text.toStdString();
}
