// The chart window's two-language texts: caption, print button, axis titles and readout words.
#pragma once

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
};

QString ChartTextOf(ChartText text, Language language);

}  // namespace porvel
