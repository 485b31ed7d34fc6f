#include "table_rows.h"

namespace porvel {

bool MoveRow(ArchiveTable& table, int from, int to) {
    return table.MoveDataRow(from, to);
}

void CopyRowsInto(const ArchiveTable& from, const std::vector<int>& rows, ArchiveTable& to) {
    if (const std::optional<Language> header = from.HeaderLanguage()) to.SetHeaderLanguage(*header);
    std::vector<ArchiveTable::Row> copied;
    for (int row : rows) {
        if (!from.IsDataRow(row)) continue;
        ArchiveTable::Row cells;
        for (int col = 0; col < ArchiveTable::kColumns; ++col)
            cells[static_cast<std::size_t>(col)] = from.Cell(col, row);
        copied.push_back(std::move(cells));
    }
    to.ReplaceDataRows(std::move(copied));
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
