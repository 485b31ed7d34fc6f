// Default archive names: Arhive 0.wpa, Arhive 1.wpa, ... the first one not taken.
#pragma once

#include <QString>

namespace porvel {

// The next name: ".wpa" removed wherever it stands, then a trailing run of digits counted up by
// one without leading zeros (Test007.wpa gives Test8.wpa), or " 0" appended when there is none
// (Test.wpa gives Test 0.wpa); ".wpa" at the end. The digits are counted up as text, so a run
// of any length has a successor.
QString ChangeName(const QString& name);

// `name` itself when no file of that name is in `folder`, else the first of its successors
// that is free.
QString NextFreeName(const QString& folder, QString name);

}  // namespace porvel
