#include "curve_builder.h"

#include <algorithm>
#include <cmath>

#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "archive/pressure.h"
#include "base/locale_format.h"
#include "smoothing_filter.h"

namespace porvel {

std::optional<CurvePoints> BuildCurve(const ArchiveTable& table, const CurveStore& curves,
                                      int row) {
    const std::optional<int> samples = table.SampleCountOf(row);
    const std::optional<int> slot = table.SlotOf(row);
    double rate = 0.0;
    if (!samples || !slot || !ParseNumber(table.Cell(column::kSampleRate, row), &rate))
        return std::nullopt;
    if (!(rate > 0.0) || !std::isfinite(rate)) return std::nullopt;
    const std::uint16_t* words = curves.Words(*slot);
    if (!words) return std::nullopt;

    const int count = std::clamp(*samples, 0, static_cast<int>(CurveStore::kSlotWords));
    CurvePoints curve;
    curve.rate = rate;
    curve.times.resize(count);
    curve.pressures.resize(count);
    SmoothingFilter filter;
    filter.Reset();
    for (int i = 0; i < count; ++i) {
        const double x = i / rate;
        const double y = filter.Feed(PressureToKPa(words[i]));
        curve.times[i] = x;
        curve.pressures[i] = y;
        curve.extent.Include(x, y);
    }
    return curve;
}

}  // namespace porvel
