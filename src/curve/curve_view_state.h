// What the archive table's double click, the chart window and its printout share: one instance
// for the whole run, outside the window, which comes and goes.
#pragma once

#include "plotted_rows.h"

namespace porvel {

struct CurveViewState {
    int requestedChartRow = 0;     // the row most recently double-clicked for charting
    bool chartOpen = false;        // from the window's creation until it closes
    bool addCurveRequest = false;  // raised by a double click while open, taken by the timer
    // 1 once the window has its marker series; one more for each curve added after the first.
    int seriesCounter = 0;
    PlottedRows plottedRows;
};

CurveViewState& CurveView();

}  // namespace porvel
