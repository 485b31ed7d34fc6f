// Archive rows with curves for the chart tests: the cells a read of the instrument would
// write, and the row's curve words in a slot of a curve store.
#pragma once

#include <QString>
#include <algorithm>
#include <cstdint>
#include <functional>

#include "archive/archive_table.h"
#include "archive/curve_store.h"

namespace porvel::testing {

struct CurveRow {
    int samples = 0;  // plotted words; the length cell holds two more
    QString rate = QStringLiteral("5");
    int slot = 0;
    std::function<std::uint16_t(int)> word = [](int i) {
        return static_cast<std::uint16_t>(4000 + 3 * i);
    };
};

// Writes row `row` (number, time, date, object, material, grade, and the three hidden cells)
// and the curve words into `slot` of `curves`; the table grows to hold the row.
inline void PutMeasurement(ArchiveTable& table, CurveStore& curves, int row, const CurveRow& m) {
    if (table.GridRowCount() <= row) table.SetGridRowCount(row + 1);
    table.SetCell(column::kNumber, row, QString::number(row));
    table.SetCell(column::kTime, row, QStringLiteral("10:%1").arg(row % 60, 2, 10, QChar('0')));
    table.SetCell(column::kDate, row, QStringLiteral("03.05.2024"));
    table.SetCell(column::kObject, row, QStringLiteral("Мост"));
    table.SetCell(column::kMaterial, row, QStringLiteral("Бетон B25"));
    table.SetCell(column::kGrade, row, QStringLiteral("W8"));
    table.SetCell(column::kCurveLength, row, QString::number(m.samples + 2));
    table.SetCell(column::kSampleRate, row, m.rate);
    table.SetCell(column::kSlot, row, QString::number(m.slot));
    const int count = std::clamp<int>(m.samples, 0, CurveStore::kMaxCurveWords - 2);
    if (std::uint16_t* words = curves.Allocate(m.slot, static_cast<std::size_t>(count) + 2))
        for (int i = 0; i < count; ++i) words[i] = m.word(i);
}

}  // namespace porvel::testing
