// What a spreadsheet makes of a table cell: a cell of a numeric, date or time column whose value
// (the row's `Measurement`) the desktop writes back as the very text of the cell becomes that
// value, with a display format that shows the same text again; everything else stays text.
// Numbers are written back with either decimal separator, dates in the user's locale or as
// dd.MM.yyyy and times also as HH:mm, so that an archive read on another desktop exports the same.
#pragma once

#include <QHash>
#include <QLocale>
#include <QString>
#include <array>
#include <vector>

#include "archive/archive_table.h"
#include "base/locale_format.h"

namespace porvel {

enum class CellKind : unsigned char { Empty, Text, Number };

struct CellValue {
    CellKind kind = CellKind::Empty;
    // Numbers as they are; dates as days since 30 December 1899 and times as the fraction of a
    // day, the serial values of spreadsheets.
    double number = 0;
    // Index into CellClassifier::Formats(); -1 for text and empty cells.
    int format = -1;
};

// A spreadsheet number format ("0.0", "dd\.mm\.yyyy", "hh\:mm") for a date or time format of
// the toolkit's kind; empty when the format holds a field spreadsheets cannot show. Every
// character that is not a field is escaped, so the separators stay what the table shows
// rather than the reader's locale's.
QString SpreadsheetDateTimeFormat(const QString& toolkitFormat);

// Classifies cells in the current locale and program time format. Texts repeat a lot in an
// archive (dates, names, grades), so each distinct text of a kind of column is classified once.
class CellClassifier {
public:
    CellClassifier();
    // The cell as the grid shows it: the titles in row 0 are texts.
    const CellValue& Classify(const ArchiveTable& table, int col, int row);
    // The distinct number formats handed out so far, in the order of their indices.
    const std::vector<QString>& Formats() const { return formats_; }

private:
    enum Kind { kText, kNumber, kDate, kTime, kKinds };
    static Kind KindOf(int col);
    CellValue Compute(const QString& text, Kind kind, const Measurement& values, int col);
    CellValue NumberCell(const QString& text, double value);
    int FormatIndex(const QString& format);

    // A date or time form the table may hold, with the number format that shows it the same.
    struct SerialForm {
        QLocale locale;
        QString toolkit;
        QString spreadsheet;
        bool date;
    };

    std::array<QHash<QString, CellValue>, kKinds> known_;
    std::vector<QString> formats_;
    std::vector<SerialForm> serialForms_;
    QChar decimalPoint_;
};

}  // namespace porvel
