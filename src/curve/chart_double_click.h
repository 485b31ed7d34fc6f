// The archive table's double click, which opens the chart window or adds a curve to it.
#pragma once

class QWidget;

namespace porvel {

class ArchiveTable;

// Acts only when the last click selected the whole row `row` through its number cell
// (`rowSelectedThroughNumberCell`) and `row` is a data row (1 .. RowCount() - 1 of `table`,
// row 0 being the header). Then the row becomes the requested chart row and:
// - with the chart window open, the window's timer is asked to add its curve;
// - on an empty table a message says the archive has not been read;
// - otherwise the chart window opens with the row's curve, not modal. `mainWindow` becomes
//   its owner (it is closed with it and does not keep the program running); null is allowed.
void StringGrid1DblClick(ArchiveTable& table, int row, bool rowSelectedThroughNumberCell,
                         QWidget* mainWindow);

}  // namespace porvel
