// The shared state of the curve view: what the archive table's double click, the chart window
// and its printout share, one instance for the whole run, outside the window, which comes and
// goes.
#pragma once

#include <array>
#include <vector>

namespace porvel {

// The archive rows whose curves the chart window shows, in the order they were plotted. It
// holds row numbers, not measurements: whatever stands at those rows when it is read.
class PlottedRows {
public:
    static constexpr int kCapacity = 128;

    // False, and nothing stored, when the list is full.
    bool Append(int row);
    void Clear() { count_ = 0; }
    int Count() const { return count_; }
    bool Full() const { return count_ == kCapacity; }
    // The row plotted `index`-th; -1 outside 0..Count()-1.
    int At(int index) const;
    // Every plotted row, in plotted order.
    std::vector<int> Rows() const { return {rows_.begin(), rows_.begin() + count_}; }

private:
    std::array<int, kCapacity> rows_{};
    int count_ = 0;
};

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
