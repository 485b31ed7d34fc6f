// The words of an archive read's outcome, which the main window and porvel-cli both print: the
// measurements not read, the counts of a read into the table, a read that ended short. The
// progress dialog's captions and status lines and the exchange's messages are the window's
// (ui/exchange_progress.h).
#pragma once

#include <QString>
#include <vector>

#include "base/language.h"

namespace porvel {

// Also the words of the exchange's own messages and status line.
inline constexpr TextPair kCrcErrorText = {u"Ошибка контрольной суммы", u"CRC16 Error"};
inline constexpr TextPair kLinkErrorText = {u"Ошибка связи", u"Link Error"};

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

}  // namespace porvel
