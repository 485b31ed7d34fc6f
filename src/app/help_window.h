// The help pages, shown in a window of their own beside the main window.
#pragma once

#include "language.h"

class QWidget;

namespace porvel {

// Opens (or raises) the help window on the page of the language, owned by the desktop rather
// than by the main window, so that it stays open while the main window is used.
void ShowHelp(Language language);

}  // namespace porvel
