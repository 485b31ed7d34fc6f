// What a window shows of an exchange: the gauge for each phase of an operation (one table), the
// caption and status line for each step and link status, and the texts of the exchange's
// messages. QtCore only, so the console and the tests show the same.
#pragma once

#include <QString>
#include <optional>

#include "base/language.h"
#include "device/exchange_types.h"

namespace porvel {

// The gauge, at most 100, after `done` of `total` in `phase`.
int GaugeValue(ProgressPhase phase, unsigned done, unsigned total);

// What one report of an exchange does to the controls of the window it reports into.
struct UpdateEffect {
    int gauge = 0;
    std::optional<QString> status;   // new text of the status label, if it changes
    std::optional<QString> caption;  // new caption of the dialog, if it changes
    bool hideGauge = false;
};

UpdateEffect ComputeUpdate(const ExchangeProgress& progress, Language language);

// The message's text; its caption is kWarningCaption.
QString MessageText(const ExchangeMessage& message, Language language);

}  // namespace porvel
