// What a spreadsheet makes of a table cell's text: a text that reads back exactly as a number,
// a date or a time becomes that value with a display format that shows the same text again;
// everything else stays text. Numbers are recognised with either decimal separator, dates in the
// user's locale or as dd.MM.yyyy and times also as HH:mm, so that an archive read on another
// desktop exports the same.
#pragma once

#include <QHash>
#include <QLocale>
#include <QString>
#include <vector>

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
// archive (dates, names, grades), so each distinct text is classified once.
class CellClassifier {
public:
    CellClassifier();
    const CellValue& Classify(const QString& text);
    // The distinct number formats handed out so far, in the order of their indices.
    const std::vector<QString>& Formats() const { return formats_; }

private:
    CellValue Compute(const QString& text);
    int FormatIndex(const QString& format);

    // A date or time form the table may hold, with the number format that shows it the same.
    struct SerialForm {
        QLocale locale;
        QString toolkit;
        QString spreadsheet;
        bool date;
    };

    QHash<QString, CellValue> known_;
    std::vector<QString> formats_;
    std::vector<SerialForm> serialForms_;
    QChar decimalPoint_;
};

}  // namespace porvel
