#include "chart_texts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "archive/archive_table.h"
#include "base/locale_format.h"

namespace porvel {

namespace {

// The Russian time axis title ends in a Latin "c", the readout's time unit is the Cyrillic
// "с"; the blanks after "кПа " and "s " belong to the titles.
constexpr std::array<KeyedText<ChartText>, static_cast<std::size_t>(ChartText::Count)> kTexts = {{
    {ChartText::Caption, {u"График", u"Graph"}},
    {ChartText::Print, {u"Печать", u"Print"}},
    {ChartText::BottomAxisTitle, {u"Время, c", u"Time, s "}},
    {ChartText::LeftAxisTitle, {u"Давление, кПа ", u"Pressure, kPa"}},
    {ChartText::TimeWord, {u"Время", u"Time"}},
    {ChartText::TimeUnit, {u"с", u"s"}},
    {ChartText::PressureWord, {u"Давление", u"Pressure"}},
    {ChartText::PressureUnit, {u"кПа", u"kPa"}},
}};
static_assert(KeysInOrder(kTexts, ChartText::Count));

}  // namespace

QString ChartTextOf(ChartText text, Language language) {
    return TextOf(kTexts, text, language);
}

QString RowTitle(const ArchiveTable& table, int row) {
    auto cell = [&](int col) { return table.Cell(col, row); };
    return cell(column::kNumber) + QStringLiteral(".  ") + cell(column::kTime) +
           QStringLiteral(" (") + cell(column::kDate) + QStringLiteral(")  ") +
           cell(column::kObject) + QStringLiteral("(") + cell(column::kMaterial) +
           QStringLiteral(")  ") + cell(column::kGrade);
}

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

namespace {

// Strong colours that stay readable as thin lines on the white chart.
constexpr std::array<QRgb, 14> kPalette = {
    0xFF0000, 0x008000, 0x0000FF, 0xFF00FF, 0x008080, 0x808000, 0x800000,
    0x000080, 0x800080, 0xFF8000, 0x00A0A0, 0x606060, 0x00C000, 0x000000,
};

}  // namespace

QColor SeriesColour(int seriesIndex) {
    const int size = static_cast<int>(kPalette.size());
    const int slot = ((seriesIndex - 1) % size + size) % size;
    return QColor(kPalette[static_cast<std::size_t>(slot)]);
}

}  // namespace porvel
