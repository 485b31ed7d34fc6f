// The input rules of the two list editors and the checks of a grid before it is written into the
// instrument: a write starts only from a grid that the instrument can store whole.
#pragma once

#include <QChar>
#include <QString>
#include <optional>

#include "base/language.h"
#include "editor_rows.h"

namespace porvel {

// What the materials editor does with a character typed into its grid.
enum class KeyVerdict {
    Accept,
    Refuse,   // the input message, then the character is dropped
    NextRow,  // Enter: the same column of the next row, from the last row to the first
};

// Columns 2 and 3 take digits, the full stop and the comma (either is the decimal separator on
// every desktop), E or e, + and - (and Backspace, Tab and Enter); other letters and signs are
// refused. Other columns take anything.
KeyVerdict CoefficientKey(QChar typed, int column);

// A coefficient text when its cell is committed: empty (nothing to check until a write), or a
// number the instrument's 32-bit float can hold, with either decimal separator and an exponent.
// Checked whole rather than key by key, so that "1.5E-03" may pass through "1.5E" on its way.
bool CoefficientTextStorable(const QString& text);

// The row that follows `row` among the data rows 1..rows, the last wrapping to the first.
int NextDataRow(int row, int rows);

// Why a grid cannot be written, naming the row; nullopt when every row can be stored.
std::optional<QString> ObjectRowsProblem(const EditorRows& rows, Language language);
std::optional<QString> MaterialRowsProblem(const EditorRows& rows, Language language);

}  // namespace porvel
