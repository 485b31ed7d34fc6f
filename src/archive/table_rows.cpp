#include "table_rows.h"

namespace porvel {

bool MoveRow(ArchiveTable& table, int from, int to) {
    return table.MoveDataRow(from, to);
}

bool DeleteRow(ArchiveTable& table, int row) {
    return table.RemoveDataRow(row);
}

bool DeleteMenuOffered(int pressedColumn, int pressedRow, const GridSelection& selection,
                       bool tableEmpty) {
    return pressedColumn == column::kNumber && !selection.IsEmpty() &&
           selection.left == column::kNumber && selection.top == pressedRow && !tableEmpty;
}

}  // namespace porvel
