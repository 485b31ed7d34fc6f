#include "row_title.h"

#include "archive/archive_table.h"

namespace porvel {

QString RowTitle(const ArchiveTable& table, int row) {
    auto cell = [&](int col) { return table.Cell(col, row); };
    return cell(column::kNumber) + QStringLiteral(".  ") + cell(column::kTime) +
           QStringLiteral(" (") + cell(column::kDate) + QStringLiteral(")  ") +
           cell(column::kObject) + QStringLiteral("(") + cell(column::kMaterial) +
           QStringLiteral(")  ") + cell(column::kGrade);
}

}  // namespace porvel
