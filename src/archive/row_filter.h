// The find bar's filter over the archive table: the rows whose number, object, material or grade
// contain a text (case-insensitive, Cyrillic included) and whose date lies in a range. A filter
// only hides rows from view: it never deletes, moves or renumbers one.
#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace porvel {

class ArchiveTable;

struct RowFilter {
    QString text;  // blanks around it do not count
    QDate from;    // either end may be null: open on that side
    QDate to;
    bool IsEmpty() const { return text.trimmed().isEmpty() && from.isNull() && to.isNull(); }
};

// Whether data row `row` (a grid row, 1 = the first measurement) passes. Rows without a number
// (the empty rows of a table not yet filled) pass only an empty filter; a row whose date cell
// is no date passes no date range.
bool RowMatches(const ArchiveTable& table, int row, const RowFilter& filter);

// Per data row, from row 1 on: whether it is shown.
std::vector<bool> ShownRows(const ArchiveTable& table, const RowFilter& filter);

}  // namespace porvel
