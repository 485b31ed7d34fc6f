// The chart's automatic series colours, handed out to the curves in turn.
#pragma once

#include <QColor>

namespace porvel {

// The colour of the curve with series index `seriesIndex` (1 for the first curve); the
// palette repeats after its last colour.
QColor SeriesColour(int seriesIndex);

}  // namespace porvel
