#include "row_filter.h"

#include "archive_table.h"

namespace porvel {

bool RowMatches(const ArchiveTable& table, int row, const RowFilter& filter) {
    if (filter.IsEmpty()) return true;
    const Measurement& values = table.Values(row);
    if (values.blank) return false;
    const QString text = filter.text.trimmed();
    if (!text.isEmpty()) {
        bool found = false;
        for (int col : {column::kNumber, column::kObject, column::kMaterial, column::kGrade})
            found = found || table.Cell(col, row).contains(text, Qt::CaseInsensitive);
        if (!found) return false;
    }
    if (filter.from.isNull() && filter.to.isNull()) return true;
    const QDate date = values.date;
    if (!date.isValid()) return false;
    return (filter.from.isNull() || date >= filter.from) &&
           (filter.to.isNull() || date <= filter.to);
}

std::vector<bool> ShownRows(const ArchiveTable& table, const RowFilter& filter) {
    std::vector<bool> shown;
    shown.reserve(static_cast<std::size_t>(table.GridRowCount()));
    for (int row = 1; row < table.GridRowCount(); ++row)
        shown.push_back(RowMatches(table, row, filter));
    return shown;
}

}  // namespace porvel
