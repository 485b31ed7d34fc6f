// The status bar readout of the chart window: time and pressure under the pointer.
#pragma once

#include <QString>

#include "base/language.h"

namespace porvel {

// "Time 12 s       Pressure 45.125 kPa": the time truncated toward zero to whole seconds,
// the pressure with three decimals and the locale's decimal separator.
QString ReadoutText(double seconds, double kPa, Language language);

}  // namespace porvel
