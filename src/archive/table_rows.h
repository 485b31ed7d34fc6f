// Whole-row work on the archive table (moving one row to another place, deleting one) and the
// selected block it works on. Rows travel with all 13
// cells, the curve slot of column 12 included, so every row keeps its own curve; the curve store
// itself is never touched.
#pragma once

#include <vector>

#include "archive_table.h"

namespace porvel {

// The selected block of the archive table in the grid's own coordinates: row 0 is the header,
// rows 1 and up the measurements, both bounds included.
struct GridSelection {
    static constexpr int kNone = -1;

    int left = kNone;
    int top = kNone;
    int right = kNone;
    int bottom = kNone;

    bool IsEmpty() const { return left == kNone || top == kNone; }
    bool IsSingleCell() const { return !IsEmpty() && left == right && top == bottom; }
};

// Takes data row `from` out and puts it back at `to`; the rows between close up. Texts are
// kept as they are. False when either row is not a data row or the two are the same.
bool MoveRow(ArchiveTable& table, int from, int to);

// `to` becomes a table of `rows` of `from` (grid rows, in the order given; others skipped) under
// the same header: what a series is exported or printed from on its own. Curves stay in their
// store.
void CopyRowsInto(const ArchiveTable& from, const std::vector<int>& rows, ArchiveTable& to);

// Deletes data row `row`: the rows below move up by one and the table loses its last row,
// except that the header and one data row always remain, the single row then left empty.
// False when `row` is not a data row.
bool DeleteRow(ArchiveTable& table, int row);

// The Delete pop-up is offered for a press of the right button on the number cell of the row
// that tops a selection starting at the number column, in a table that holds measurements.
bool DeleteMenuOffered(int pressedColumn, int pressedRow, const GridSelection& selection,
                       bool tableEmpty);

}  // namespace porvel
