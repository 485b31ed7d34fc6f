// Texts of the archive table's reactions: the status-bar hint for the cell under the mouse and
// the message of a sort that a cell stopped.
#pragma once

#include <QString>

#include "base/language.h"
#include "ui/main_texts.h"

namespace porvel {

// Over the header row the sort hint, over a number cell the plot hint, anywhere else over the
// grid (outside the cells too, -1 for column or row) the drag hint.
MainText GridHintAt(int column, int row);

// Names the text of the cell that could not be read as its column's value.
QString SortErrorText(const QString& cellText, Language language);

}  // namespace porvel
