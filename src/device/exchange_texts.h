// Captions and status texts of an exchange, and what the update routine shows for a state.
#pragma once

#include <QString>
#include <optional>

#include "base/language.h"
#include "exchange_types.h"

namespace porvel {

enum class ExchangeText {
    CrcError,       // a block failed its check
    MemoryError,    // no memory for the record array
    BadEditorCell,  // a coefficient or index cell of the editor is no number
    Ready,
};

QString Text(ExchangeText text, Language language);

// What one run of the update routine does to the controls of the window it reports into.
struct UpdateEffect {
    int gauge = 0;                   // progress, at most 100
    std::optional<QString> status;   // new text of the status label, if it changes
    std::optional<QString> caption;  // new caption of the dialog, if it changes
    bool hideGauge = false;
    bool holdNoData = false;  // "No Data" stays 300 ms before the worker goes on
};

UpdateEffect ComputeUpdate(int progress, LinkStatus link, ExchangeState state, Language language);

constexpr int kNoDataHoldMs = 300;

}  // namespace porvel
