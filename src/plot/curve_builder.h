// A table row's pressure curve as the chart plots it: every sample of the row's curve slot in
// kilopascals through the smoothing filter, over time in seconds; and that filter.
#pragma once

#include <QVector>
#include <array>
#include <optional>

#include "axis_ends.h"

namespace porvel {

class ArchiveTable;
class CurveStore;

struct CurvePoints {
    QVector<double> times;      // sample i at i / rate seconds
    QVector<double> pressures;  // kPa, smoothed unless recorded
    double rate = 0.0;          // samples per second
    DataExtent extent;
};

// The row's curve from its length (column 10, words with end marker and checksum), its sample
// rate (column 11, a number in the locale's notation) and its slot (column 12). Nothing when a
// cell does not convert, the rate is not above 0 or the slot is not in the store. A length of
// 2 or less gives a curve without points; a length beyond the slot is cut to the slot.
std::optional<CurvePoints> BuildCurve(const ArchiveTable& table, const CurveStore& curves, int row);
// The same curve with each sample as recorded, unsmoothed.
std::optional<CurvePoints> BuildRecordedCurve(const ArchiveTable& table, const CurveStore& curves,
                                              int row);

// The pressure curve's smoothing: a moving mean over the last seven values that an exact zero
// restarts, so every curve begins unsmoothed and a dropout of the sensor starts it again.

class SmoothingFilter {
public:
    static constexpr int kWindow = 7;

    // Feeds one pressure and returns the mean of the newest non-zero run, at most seven long.
    // An input of exactly 0.0 empties the window and returns 0.0.
    double Feed(double value);
    void Reset() { Feed(0.0); }

private:
    std::array<double, kWindow> window_{};  // the newest last; 0.0 marks an empty place
};

}  // namespace porvel
