// What the chart window writes and paints: its two-language texts (caption, print button, axis
// titles, readout words), the curve titles of the legend, the pointer readout and the series
// colours.
#pragma once

#include <QColor>
#include <QString>

#include "base/language.h"

namespace porvel {

enum class ChartText {
    Caption,
    Print,
    BottomAxisTitle,
    LeftAxisTitle,
    TimeWord,
    TimeUnit,
    PressureWord,
    PressureUnit,
    Count,  // no text: the number of texts
};

QString ChartTextOf(ChartText text, Language language);

class ArchiveTable;

// The title of a plotted curve: the row's number, time, date, object, material and grade,
// "N.  time (date)  object(material)  grade", each cell as it stands; an empty cell adds
// nothing, the separators stay.
QString RowTitle(const ArchiveTable& table, int row);

// The status bar readout of the chart window, time and pressure under the pointer:
// "Time 12 s       Pressure 45.125 kPa": the time truncated toward zero to whole seconds,
// the pressure with three decimals and the locale's decimal separator.
QString ReadoutText(double seconds, double kPa, Language language);

// The chart's automatic series colours, handed out to the curves in turn: the colour of the
// curve with series index `seriesIndex` (1 for the first curve); the palette repeats after its
// last colour.
QColor SeriesColour(int seriesIndex);

}  // namespace porvel
