#include "table_rows.h"

#include <array>

namespace porvel {
namespace {

using RowCells = std::array<QString, ArchiveTable::kColumns>;

RowCells ReadRow(const ArchiveTable& table, int row) {
    RowCells cells;
    for (int col = 0; col < ArchiveTable::kColumns; ++col)
        cells[static_cast<std::size_t>(col)] = table.Cell(col, row);
    return cells;
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
    if (!table.IsDataRow(first) || !table.IsDataRow(second)) return;
    const RowCells a = ReadRow(table, first);
    const RowCells b = ReadRow(table, second);
    WriteRowThroughText(table, first, b);
    WriteRowThroughText(table, second, a);
}

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
