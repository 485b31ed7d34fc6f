#include "readout_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/locale_format.h"
#include "chart_texts.h"

namespace porvel {
namespace {

constexpr int kPressureDecimals = 3;
const QString kGap = QStringLiteral("       ");  // seven blanks between time and pressure
// Inside the range of a 64-bit whole number, far beyond any chart's time axis.
constexpr double kWholeSecondsLimit = 9.0e18;

QString WholeSeconds(double seconds) {
    if (!std::isfinite(seconds)) return kNotANumberText;
    const double clamped = std::clamp(seconds, -kWholeSecondsLimit, kWholeSecondsLimit);
    return QString::number(static_cast<std::int64_t>(std::trunc(clamped)));
}

}  // namespace

QString ReadoutText(double seconds, double kPa, Language language) {
    const QString blank = QStringLiteral(" ");
    return ChartTextOf(ChartText::TimeWord, language) + blank + WholeSeconds(seconds) + blank +
           ChartTextOf(ChartText::TimeUnit, language) + kGap +
           ChartTextOf(ChartText::PressureWord, language) + blank +
           FormatFixed(kPa, kPressureDecimals) + blank +
           ChartTextOf(ChartText::PressureUnit, language);
}

}  // namespace porvel
