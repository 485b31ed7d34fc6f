// The title of a plotted curve: the row's number, time, date, object, material and grade.
#pragma once

#include <QString>

namespace porvel {

class ArchiveTable;

// "N.  time (date)  object(material)  grade", each cell as it stands; an empty cell adds
// nothing, the separators stay.
QString RowTitle(const ArchiveTable& table, int row);

}  // namespace porvel
