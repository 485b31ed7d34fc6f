// PlottedRows: the archive rows a chart window shows, which its printout and CSV list too.
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

}  // namespace porvel
