// A full archive table for the output benchmarks: `gridRows` rows with the header, every data
// row filled as a read of the instrument fills it, with a few dozen distinct objects, materials,
// dates and results.
#pragma once

#include <QDate>
#include <QStringList>
#include <QTime>

#include "archive/archive_table.h"
#include "base/locale_format.h"

namespace porvel::bench {

inline void FillTable(ArchiveTable& t, int gridRows) {
    t.SetGridRowCount(gridRows);
    t.SetHeaderLanguage(Language::Russian);
    const char* materials[] = {"Бетон", "Бетон тяжёлый", "Раствор"};
    for (int r = 1; r < gridRows; ++r) {
        const QStringList row{
            QString::number(r),
            FormatTime(QTime(r % 24, r % 60)),
            FormatDate(QDate(2020, 1, 1).addDays(r % 2000)),
            QStringLiteral("Объект %1").arg(r % 20),
            QString::fromUtf8(materials[r % 3]),
            FormatFixed(95 + (r % 100) / 10.0, 1),
            FormatFixed(1 + (r % 500) / 10.0, 1),
            FormatFixed(1 / (1 + (r % 500) / 10.0), 4),
            FormatFixed((r % 90) / 10.0, 1),
            r % 7 ? QStringLiteral("W%1").arg(2 * (r % 7)) : QStringLiteral(" - ")};
        for (int c = 0; c < row.size(); ++c) t.SetCell(c, r, row[c]);
    }
}

}  // namespace porvel::bench
