// The archive table as clipboard text: one line per table row ending in CR LF, cells separated
// by TAB, with extra TABs that keep the columns roughly under their long headers when the text
// is pasted into an editor with 8-character tab stops.
#pragma once

#include <QString>
#include <functional>

#include "archive/archive_table.h"
#include "archive/table_rows.h"
#include "base/language.h"

namespace porvel {

// Columns 0 to 9: the three bookkeeping columns at the end are never copied.
constexpr int kCopiedColumns = ArchiveTable::kShownColumns;

// Every row, the header included. The header cells of the date and object columns in
// `language` (the language the header row was written in) get one TAB more.
QString TableClipboardText(const ArchiveTable& table, Language language);

// The rows and columns of `block`, bounds included, cut to the copied columns; of the rows only
// those `shown` passes (all, without it: a find hides the others). Empty for an empty block.
QString BlockClipboardText(const ArchiveTable& table, const GridSelection& block,
                           const std::function<bool(int row)>& shown = {});

}  // namespace porvel
