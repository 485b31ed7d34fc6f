// Sorting the archive table by one column: the key every column sorts by, the direction that
// one header click after another turns over, and the reordering by exchanging whole rows.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "archive_table.h"

namespace porvel {

// One data row while a sort runs; only the key that belongs to the sorted column is filled.
struct TMyData {
    int row = 0;  // the row's index when the sort began
    QString textKey;
    int integerKey = 0;  // for a text, its rank among the column's texts
    double floatingKey = 0.0;
};

enum class SortKey { Text, Integer, Floating };

// Number and grade sort as whole numbers; time, date and the four measured values as floating
// values; object, material and the hidden columns as text.
SortKey SortKeyOf(int column);

// The window's one sort direction, shared by every column.
namespace sort_direction {
constexpr int kNone = 0;  // before the first header click of a run
constexpr int kDescending = -1;
constexpr int kAscending = 1;
}  // namespace sort_direction

// A header click turns the direction over: none or ascending become descending, descending
// becomes ascending.
int TurnedSortDirection(int direction);

// The cell whose text is no value of its key (for a date, the row's time cell may be the one);
// it stopped the sort.
struct SortKeyError {
    int column = 0;
    int row = 0;
    QString text;
};

// Builds the key of the sorted column for every data row, then orders the rows (ascending for
// +1, descending for -1, rows of equal keys in no defined order). A cell that does not convert
// stops the sort before any row has moved. Rows are exchanged whole, so every row keeps its
// curve slot; each data row is rewritten, its empty cells becoming single blanks. Nothing
// happens for direction 0 or a column outside the table. `order`, when given, receives the new
// order as ArchiveTable::ReorderDataRows takes it (empty when nothing moved).
std::optional<SortKeyError> SortByColumn(ArchiveTable& table, int column, int direction,
                                         std::vector<int>* order = nullptr);

}  // namespace porvel
