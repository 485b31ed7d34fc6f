// The plotted curves as CSV, for users who analyse curves elsewhere: one time column in seconds
// and one pressure column in kPa per curve, headed by its measurement's number, with the samples
// as measured (the chart draws them smoothed). Curves sampled at other rates share the time
// column, each with its own values and blanks between. The same CSV form as the table's export:
// UTF-8 with a byte order mark, the desktop's decimal mark, ";" where that is a comma, CR LF.
#pragma once

#include <QByteArray>
#include <vector>

namespace porvel {

class ArchiveTable;
class CurveStore;

// `rows` are grid rows of `table`, in plotted order; a row without a curve is left out, and a
// row plotted twice comes twice.
QByteArray CurvesCsv(const ArchiveTable& table, const CurveStore& curves,
                     const std::vector<int>& rows);

}  // namespace porvel
