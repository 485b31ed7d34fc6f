// The help pages, shown in a window of their own beside the main window.
#pragma once

#include "base/language.h"

class QWidget;

namespace porvel {

// Opens (or raises) the help window on the page of the language: a window of its own beside
// `owner`, which it does not block, and which closes it when it goes.
void ShowHelp(QWidget* owner, Language language);

}  // namespace porvel
