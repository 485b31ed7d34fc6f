// The selected block of the archive table in the grid's own coordinates: row 0 is the header,
// rows 1 and up the measurements, both bounds included.
#pragma once

namespace porvel {

struct GridSelection {
    static constexpr int kNone = -1;

    int left = kNone;
    int top = kNone;
    int right = kNone;
    int bottom = kNone;

    bool IsEmpty() const { return left == kNone || top == kNone; }
    bool IsSingleCell() const { return !IsEmpty() && left == right && top == bottom; }
};

}  // namespace porvel
