// The archive table as a spreadsheet file: .xlsx (Office Open XML), .xls (the 97-2003 binary
// workbook in a compound file) or .csv, chosen by the file's extension. Every writer reads the
// table, never a view, and the file appears only when it is complete.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "archive/archive_table.h"

class QIODevice;

namespace porvel {

enum class ExportFormat { Xlsx, Xls, Csv };

// ".xls" and ".csv" (in any case) pick those; any other extension, or none, gives .xlsx.
ExportFormat FormatForPath(const QString& path);

// Columns 0 to 9; the bookkeeping columns are never exported.
constexpr int kExportColumns = ArchiveTable::kShownColumns;
// Table rows per worksheet; the first sheet holds the header and 65534 measurements.
constexpr int kRowsPerSheet = 65535;

struct SheetPart {
    QString name;  // the title followed by the sheet's number from 1
    int firstRow;  // table row that lands in the sheet's first row
    int rows;
};

// The table's `tableRows` rows (header included) cut into sheets of at most kRowsPerSheet.
std::vector<SheetPart> SplitIntoSheets(int tableRows, const QString& title);

// Column widths fitted to the longest text of each column, in the spreadsheet's unit (the
// width of one character of the standard font).
class ColumnWidths {
public:
    static constexpr double kMaxWidth = 255;
    void Take(int column, const QString& text);
    double Width(int column) const;

private:
    std::array<int, kExportColumns> longest_{};
};

// Called now and then with the table rows written so far and the total.
using ExportProgress = std::function<void(int done, int total)>;

struct ExportResult {
    bool ok = false;
    QString reason;  // the system's or the writer's words when not ok
};

// Writes the visible columns of every table row into `path` in the format its extension picks,
// the sheets named after `title`. The file is written beside `path` under a temporary name and
// renamed into place only when complete and on disk: a failure leaves no partial file and an
// earlier file of that name as it was.
ExportResult ExportTable(const ArchiveTable& table, const QString& title, const QString& path,
                         const ExportProgress& progress = {});

// The writers behind it, onto an open device; false with `reason` set on a failure. Exposed
// for the tests and the benchmark.
bool WriteXlsx(const ArchiveTable& table, const QString& title, QIODevice& out,
               const ExportProgress& progress, QString* reason);
bool WriteXls(const ArchiveTable& table, const QString& title, QIODevice& out,
              const ExportProgress& progress, QString* reason);
bool WriteCsv(const ArchiveTable& table, QIODevice& out, const ExportProgress& progress,
              QString* reason);

// The field separator of every CSV the program writes, for the spreadsheets of the desktop's
// locale: ";" where the decimal separator is a comma, "," elsewhere.
QChar CsvSeparator();

}  // namespace porvel
