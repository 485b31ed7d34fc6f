// The texts of the list editors' grids: rows built from the entries a list read brought, and the
// entries a list write sends built back from the rows.
#pragma once

#include <QString>
#include <array>

#include "base/language.h"
#include "device/exchange.h"
#include "wire/frames.h"

namespace porvel {

class NameTable;

// Rows 1..20 of an editor's grid, columns 0..3.
using EditorRow = std::array<QString, 4>;
using EditorRows = std::array<EditorRow, protocol::kListEntries>;

// Number, name, the material's name and (hidden) its index; names from the tables as a read
// has left them.
EditorRows ObjectGridRows(const NameTable& objects, const NameTable& materials,
                          const ObjectEntries& entries, Language language);
// Number, name, a0 and a1 in the user's locale.
EditorRows MaterialGridRows(const NameTable& materials, const MaterialEntries& entries,
                            Language language);

// The entries of a write: the grid's names in `language`, the table's in the other one. Either
// decimal separator is taken in a coefficient, on every desktop; an index goes out as its low
// 16 bits. `sound` stops at the first row whose number does not read.
ListEdits ObjectEdits(const EditorRows& rows, const NameTable& objects, Language language);
ListEdits MaterialEdits(const EditorRows& rows, const NameTable& materials, Language language);

}  // namespace porvel
