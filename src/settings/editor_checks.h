// The input rules of the two list editors and the checks of a grid before it is written into the
// instrument: a write starts only from a grid that the instrument can store whole.
#pragma once

#include <QChar>
#include <QString>
#include <optional>

#include "base/language.h"
#include "device/exchange.h"

namespace porvel {

// What the materials editor does with a character typed into its grid.
enum class KeyVerdict {
    Accept,
    Refuse,   // the input message, then the character is dropped
    NextRow,  // Enter: the same column of the next row, from the last row to the first
};

// Columns 2 and 3 take digits, the full stop, E or e, + and - (and Backspace, Tab and Enter);
// the comma is refused whatever the locale's decimal separator. Other columns take anything.
KeyVerdict CoefficientKey(QChar typed, int column);

// A coefficient text while it is typed: one character alone is not tested; longer texts must
// convert with the locale's decimal separator, an exponent included.
bool CoefficientTextConverts(const QString& text);

// The row that follows `row` among the data rows 1..rows, the last wrapping to the first.
int NextDataRow(int row, int rows);

// Why a grid cannot be written, naming the row; nullopt when every row can be stored.
std::optional<QString> ObjectRowsProblem(const EditorRows& rows, Language language);
std::optional<QString> MaterialRowsProblem(const EditorRows& rows, Language language);

}  // namespace porvel
