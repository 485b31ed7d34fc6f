// Archive tables for the table tests: one data row per text of the varied column, the rows
// numbered 1, 2, ... unless the number column is the varied one, each naming its own curve slot.
#pragma once

#include <QStringList>

#include "archive/archive_table.h"

namespace porvel::testing {

inline void FillColumn(ArchiveTable& t, int col, const QStringList& texts) {
    const QStringList row{"",       "10:00", "05.11.2026", "Плита", "Бетон", "101,3", "12,5",
                          "0,0800", "1,2",   "W8",         "302",   "5",     ""};
    t.SetGridRowCount(static_cast<int>(texts.size()) + 1);
    for (int r = 1; r < t.GridRowCount(); ++r) {
        for (int c = 0; c < ArchiveTable::kColumns; ++c) t.SetCell(c, r, row[c]);
        t.SetCell(column::kNumber, r, QString::number(r));
        t.SetCell(column::kSlot, r, QString::number(r - 1));
        t.SetCell(col, r, texts[r - 1]);
    }
}

inline QStringList Column(const ArchiveTable& t, int col) {
    QStringList texts;
    for (int r = 1; r < t.GridRowCount(); ++r) texts << t.Cell(col, r);
    return texts;
}

inline QStringList RowOf(const ArchiveTable& t, int r) {
    QStringList cells;
    for (int c = 0; c < ArchiveTable::kColumns; ++c) cells << t.Cell(c, r);
    return cells;
}

inline QStringList Snapshot(const ArchiveTable& t) {
    QStringList cells;
    for (int r = 0; r < t.GridRowCount(); ++r) cells << RowOf(t, r);
    return cells;
}

}  // namespace porvel::testing
