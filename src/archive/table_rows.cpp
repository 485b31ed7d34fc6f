#include "table_rows.h"

#include <array>

namespace porvel {
namespace {

using RowCells = std::array<QString, ArchiveTable::kColumns>;

bool IsDataRow(const ArchiveTable& table, int row) {
    return row >= 1 && row < table.GridRowCount();
}

RowCells ReadRow(const ArchiveTable& table, int row) {
    RowCells cells;
    for (int col = 0; col < ArchiveTable::kColumns; ++col)
        cells[static_cast<std::size_t>(col)] = table.Cell(col, row);
    return cells;
}

void WriteRow(ArchiveTable& table, int row, const RowCells& cells) {
    for (int col = 0; col < ArchiveTable::kColumns; ++col)
        table.SetCell(col, row, cells[static_cast<std::size_t>(col)]);
}

// A row handed over as one line-separated text loses its empty lines: each comes back as a
// single blank, which the sort keys of the numeric columns then read as 0.
void WriteRowThroughText(ArchiveTable& table, int row, const RowCells& cells) {
    static const QString kBlank = QStringLiteral(" ");
    for (int col = 0; col < ArchiveTable::kColumns; ++col) {
        const QString& text = cells[static_cast<std::size_t>(col)];
        table.SetCell(col, row, text.isEmpty() ? kBlank : text);
    }
}

}  // namespace

void ExchangeRows(ArchiveTable& table, int first, int second) {
    if (!IsDataRow(table, first) || !IsDataRow(table, second)) return;
    const RowCells a = ReadRow(table, first);
    const RowCells b = ReadRow(table, second);
    WriteRowThroughText(table, first, b);
    WriteRowThroughText(table, second, a);
}

bool MoveRow(ArchiveTable& table, int from, int to) {
    if (!IsDataRow(table, from) || !IsDataRow(table, to) || from == to) return false;
    const RowCells moving = ReadRow(table, from);
    const int step = to > from ? 1 : -1;
    for (int row = from; row != to; row += step) WriteRow(table, row, ReadRow(table, row + step));
    WriteRow(table, to, moving);
    return true;
}

bool DeleteRow(ArchiveTable& table, int row) {
    if (!IsDataRow(table, row)) return false;
    const int last = table.GridRowCount() - 1;
    for (int r = row; r < last; ++r) WriteRow(table, r, ReadRow(table, r + 1));
    table.ClearRow(last);
    if (table.GridRowCount() > ArchiveTable::kMinRows)
        table.SetGridRowCount(table.GridRowCount() - 1);
    return true;
}

bool DeleteMenuOffered(int pressedColumn, int pressedRow, const GridSelection& selection,
                       bool tableEmpty) {
    return pressedColumn == column::kNumber && !selection.IsEmpty() &&
           selection.left == column::kNumber && selection.top == pressedRow && !tableEmpty;
}

}  // namespace porvel
