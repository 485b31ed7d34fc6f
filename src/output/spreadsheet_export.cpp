#include "spreadsheet_export.h"

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "base/durable_save.h"

namespace porvel {
namespace {

// Room beside the longest text, as a spreadsheet's own fitting leaves it.
constexpr double kWidthPadding = 2;

}  // namespace

ExportFormat FormatForPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("xls"), Qt::CaseInsensitive) == 0) return ExportFormat::Xls;
    if (suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0) return ExportFormat::Csv;
    return ExportFormat::Xlsx;
}

std::vector<SheetPart> SplitIntoSheets(int tableRows, const QString& title) {
    std::vector<SheetPart> sheets;
    for (int first = 0; first < tableRows; first += kRowsPerSheet) {
        const int number = static_cast<int>(sheets.size()) + 1;
        sheets.push_back(
            {title + QString::number(number), first, std::min(kRowsPerSheet, tableRows - first)});
    }
    return sheets;
}

void ColumnWidths::Take(int column, const QString& text) {
    // Characters, not UTF-16 units.
    int length = static_cast<int>(text.size());
    for (const QChar c : text)
        if (c.isLowSurrogate()) --length;
    longest_[static_cast<std::size_t>(column)] =
        std::max(longest_[static_cast<std::size_t>(column)], length);
}

double ColumnWidths::Width(int column) const {
    const int longest = longest_[static_cast<std::size_t>(column)];
    return std::min(kMaxWidth, longest + kWidthPadding);
}

ExportResult ExportTable(const ArchiveTable& table, const QString& title, const QString& path,
                         const ExportProgress& progress) {
    ExportResult result;
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        result.reason = QStringLiteral("not an ordinary file");
        return result;
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        result.reason = file.errorString();
        return result;
    }
    bool written = false;
    switch (FormatForPath(path)) {
        case ExportFormat::Xlsx:
            written = WriteXlsx(table, title, file, progress, &result.reason);
            break;
        case ExportFormat::Xls:
            written = WriteXls(table, title, file, progress, &result.reason);
            break;
        case ExportFormat::Csv:
            written = WriteCsv(table, file, progress, &result.reason);
            break;
    }
    if (!written || !SyncToDisk(file, &result.reason) || !file.commit()) {
        if (result.reason.isEmpty()) result.reason = file.errorString();
        file.cancelWriting();
        return result;
    }
    result.ok = SyncFolderOf(path, &result.reason);
    return result;
}

}  // namespace porvel
