#include "clipboard_text.h"

#include <algorithm>

namespace porvel {
namespace {

const QChar kTab = QLatin1Char('\t');
const QString kLineEnd = QStringLiteral("\r\n");
constexpr int kTabStop = 8;  // header length per alignment TAB

// Characters, not UTF-16 units: a cell's length as the one byte per character of its 8-bit
// form.
int Length(const QString& text) {
    int length = 0;
    for (const QChar c : text)
        if (!c.isLowSurrogate()) ++length;
    return length;
}

// After a data cell shorter than a header of 8 or more characters: one TAB per 8 characters
// of the header.
void AppendAlignment(QString& text, const QString& header, const QString& cell) {
    const int h = Length(header);
    if (h > Length(cell) && h >= kTabStop) text += QString(h / kTabStop, kTab);
}

// Every cell of a line is followed by its TAB; the line's last TAB makes way for CR LF.
void EndLine(QString& text) {
    text.chop(1);
    text += kLineEnd;
}

}  // namespace

QString TableClipboardText(const ArchiveTable& table, Language language) {
    // The date and object headers are texts 21 and 23 of the main text table.
    const QString dateHeader = ArchiveTable::HeaderText(column::kDate, language);
    const QString objectHeader = ArchiveTable::HeaderText(column::kObject, language);
    QString text;
    for (int row = 0; row < table.GridRowCount(); ++row) {
        for (int col = 0; col < kCopiedColumns; ++col) {
            const QString cell = table.ShownText(col, row);
            text += cell;
            text += kTab;
            if (row == 0) {
                if (cell == dateHeader || cell == objectHeader) text += kTab;
            } else {
                AppendAlignment(text, table.Header(col), cell);
            }
        }
        EndLine(text);
    }
    return text;
}

QString BlockClipboardText(const ArchiveTable& table, const GridSelection& block,
                           const std::function<bool(int row)>& shown) {
    if (block.IsEmpty()) return {};
    const int left = std::max(block.left, 0);
    const int right = std::min(block.right, kCopiedColumns - 1);
    if (left > right) return {};
    QString text;
    for (int row = block.top; row <= block.bottom; ++row) {
        if (shown && !shown(row)) continue;
        for (int col = left; col <= right; ++col) {
            const QString cell = table.Cell(col, row);
            text += cell;
            text += kTab;
            AppendAlignment(text, table.Header(col), cell);
        }
        EndLine(text);
    }
    return text;
}

}  // namespace porvel
