#include "curve_builder.h"

#include <algorithm>
#include <cmath>

#include "archive/archive_record.h"
#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "base/locale_format.h"

namespace porvel {

namespace {

std::optional<CurvePoints> Build(const ArchiveTable& table, const CurveStore& curves, int row,
                                 bool smoothed) {
    const Measurement& values = table.Values(row);
    const std::optional<int> samples = values.SampleCount();
    const std::optional<int> slot = values.slot;
    if (!samples || !slot || !values.sampleRate || !(*values.sampleRate > 0.0)) return std::nullopt;
    const double rate = *values.sampleRate;
    const std::uint16_t* words = curves.Words(*slot);
    if (!words) return std::nullopt;

    // Never past the words the store holds for the slot, whatever the length cell says.
    const int count = std::clamp(*samples, 0, static_cast<int>(curves.WordCount(*slot)));
    CurvePoints curve;
    curve.rate = rate;
    curve.times.resize(count);
    curve.pressures.resize(count);
    SmoothingFilter filter;
    filter.Reset();
    for (int i = 0; i < count; ++i) {
        const double x = i / rate;
        const double kPa = PressureToKPa(words[i]);
        const double y = smoothed ? filter.Feed(kPa) : kPa;
        curve.times[i] = x;
        curve.pressures[i] = y;
        curve.extent.Include(x, y);
    }
    return curve;
}

}  // namespace

std::optional<CurvePoints> BuildCurve(const ArchiveTable& table, const CurveStore& curves,
                                      int row) {
    return Build(table, curves, row, true);
}

std::optional<CurvePoints> BuildRecordedCurve(const ArchiveTable& table, const CurveStore& curves,
                                              int row) {
    return Build(table, curves, row, false);
}

namespace {

// The mean multiplies by the reciprocal of the count rather than dividing by it.
constexpr std::array<double, SmoothingFilter::kWindow> kReciprocal = {
    1.0, 1.0 / 2, 1.0 / 3, 1.0 / 4, 1.0 / 5, 1.0 / 6, 1.0 / 7};

}  // namespace

double SmoothingFilter::Feed(double value) {
    if (value == 0.0) {
        window_.fill(0.0);
        return 0.0;
    }
    std::rotate(window_.begin(), window_.begin() + 1, window_.end());
    window_.back() = value;

    double sum = 0.0;
    int count = 0;
    for (auto it = window_.rbegin(); it != window_.rend() && *it != 0.0; ++it) {
        sum += *it;
        ++count;
    }
    return sum * kReciprocal[static_cast<std::size_t>(count - 1)];
}

}  // namespace porvel
