// Captions and status texts of an exchange, and what the update routine shows for a state.
#pragma once

#include <QString>
#include <optional>
#include <vector>

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

// A record or its curve that failed its check, naming the measurement: "... 6 of 36".
QString RecordCrcText(unsigned measurement, unsigned count, Language language);

struct MissedRecord;
// The measurements a read could not take whole, with why: "Не прочитаны: 6 (ошибка контрольной
// суммы), 9 (нет маркера конца)"; empty when there are none.
QString NotReadText(const std::vector<MissedRecord>& missed, Language language);

// How an archive read into the table ended, for the window's status bar: "Read 36: added 1,
// duplicates 35" (a row of the same date, hour and minute was there already).
QString ReadCountsText(unsigned read, unsigned added, unsigned duplicates, Language language);
// The message of a read that ended before the last of the instrument's `reported`
// measurements: how many arrived and why the read stopped (a failed check or the link).
QString ReadShortText(unsigned received, unsigned reported, bool checkFailed, Language language);

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
