// Archive tables and curves for the archive file tests: rows as a read from the instrument
// leaves them, each measurement with a curve of its own.
#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "archive/archive_table.h"
#include "archive/curve_store.h"

namespace porvel::testing {

using RowCells = std::array<QString, ArchiveTable::kColumns>;

// A measurement row whose curve has `words` words in `slot`.
inline RowCells MeasurementCells(int number, int words, int slot) {
    return {QString::number(number),      QStringLiteral("14:05"),
            QStringLiteral("05.11.2026"), QStringLiteral("Плита-А №%1").arg(number),
            QStringLiteral("Бетон B25"),  QStringLiteral("101,3"),
            QStringLiteral("1,250E+01"),  QStringLiteral("8,000E-02"),
            QStringLiteral("1,24"),       QStringLiteral("W8"),
            QString::number(words),       QStringLiteral("4"),
            QString::number(slot)};
}

inline void PutRow(ArchiveTable& table, int row, const RowCells& cells) {
    for (int col = 0; col < ArchiveTable::kColumns; ++col)
        table.SetCell(col, row, cells[static_cast<std::size_t>(col)]);
}

// Differs from measurement to measurement and from word to word.
inline std::vector<std::uint16_t> CurveOf(int number, int words) {
    std::vector<std::uint16_t> curve(static_cast<std::size_t>(words));
    for (int i = 0; i < words; ++i)
        curve[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(number * 1009 + i * 7 + 1);
    return curve;
}

inline void PutCurve(CurveStore& curves, int slot, const std::vector<std::uint16_t>& words) {
    std::copy(words.begin(), words.end(), curves.Allocate(slot, words.size()));
}

inline std::vector<std::uint16_t> WordsIn(const CurveStore& curves, int slot, int words) {
    const std::uint16_t* first = curves.Words(slot);
    if (!first) return {};
    return {first,
            first + std::min<std::size_t>(static_cast<std::size_t>(words), curves.WordCount(slot))};
}

// Rows 1 to count as a fresh read fills them: measurement 10 + r in row r, curve in slot r - 1,
// curve lengths differing from row to row.
inline void FillArchive(ArchiveTable& table, CurveStore& curves, int count) {
    table.SetGridRowCount(count + 1);
    for (int row = 1; row <= count; ++row) {
        const int number = 10 + row;
        const int words = 3 + row;
        PutRow(table, row, MeasurementCells(number, words, row - 1));
        PutCurve(curves, row - 1, CurveOf(number, words));
    }
}

// Every cell of every row, the header included, for comparing whole tables.
inline QStringList CellsOf(const ArchiveTable& table) {
    QStringList cells;
    for (int row = 0; row < table.GridRowCount(); ++row)
        for (int col = 0; col < ArchiveTable::kColumns; ++col) cells << table.Cell(col, row);
    return cells;
}

}  // namespace porvel::testing
