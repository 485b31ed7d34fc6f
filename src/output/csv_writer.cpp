// CSV (RFC 4180) in UTF-8 with a byte order mark, for the spreadsheets of the user's locale: the
// separator is ";" where the decimal separator is a comma and "," elsewhere, lines end in CR LF.
#include <QIODevice>
#include <QLocale>

#include "cell_value.h"
#include "spreadsheet_export.h"

namespace porvel {
namespace {

constexpr int kProgressStep = 1024;
constexpr qsizetype kPieceBytes = qsizetype{1} << 20;

// A text a spreadsheet would take for a formula: it begins with one of these.
bool LooksLikeFormula(const QString& text) {
    if (text.isEmpty()) return false;
    switch (text.front().unicode()) {
        case '=':
        case '+':
        case '-':
        case '@':
        case '\t':
        case '\r':
            return true;
        default:
            return false;
    }
}

void AppendField(QString& line, const QString& text, bool isText, QChar separator) {
    // A text that would start a formula gets a leading apostrophe inside its quotes, which
    // spreadsheets read as "this is text".
    const bool guard = isText && LooksLikeFormula(text);
    const bool quote = guard || text.contains(separator) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!quote) {
        line += text;
        return;
    }
    line += QLatin1Char('"');
    if (guard) line += QLatin1Char('\'');
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    line += escaped;
    line += QLatin1Char('"');
}

}  // namespace

QChar CsvSeparator() {
    return QLocale().decimalPoint() == QLatin1String(",") ? QLatin1Char(';') : QLatin1Char(',');
}

bool WriteCsv(const ArchiveTable& table, QIODevice& out, const ExportProgress& progress,
              QString* reason) {
    const QChar separator = CsvSeparator();
    CellClassifier classifier;
    QByteArray piece("\xEF\xBB\xBF");
    QString line;
    const int total = table.GridRowCount();
    for (int row = 0; row < total; ++row) {
        line.clear();
        for (int col = 0; col < kExportColumns; ++col) {
            if (col > 0) line += separator;
            const QString text = table.ShownText(col, row);
            AppendField(line, text, classifier.Classify(table, col, row).kind == CellKind::Text,
                        separator);
        }
        line += QStringLiteral("\r\n");
        piece += line.toUtf8();
        if (piece.size() >= kPieceBytes || row + 1 == total) {
            if (out.write(piece) != piece.size()) {
                *reason = out.errorString();
                return false;
            }
            piece.clear();
        }
        if (progress && (row + 1) % kProgressStep == 0) progress(row + 1, total);
    }
    if (total == 0 && out.write(piece) != piece.size()) {
        *reason = out.errorString();
        return false;
    }
    return true;
}

}  // namespace porvel
