#include "plotted_rows.h"

namespace porvel {

bool PlottedRows::Append(int row) {
    if (Full()) return false;
    rows_[static_cast<std::size_t>(count_++)] = row;
    return true;
}

int PlottedRows::At(int index) const {
    if (index < 0 || index >= count_) return -1;
    return rows_[static_cast<std::size_t>(index)];
}

}  // namespace porvel
