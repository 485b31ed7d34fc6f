// The archive file the table belongs to, as the main window's caption shows it.
#pragma once

#include <QString>

#include "language.h"

namespace porvel {

struct FileState {
    QString folder;
    QString fileName;  // without the folder
    bool named = false;
    bool modified = false;
};

// "Porvel", "Porvel - name", either possibly followed by "*".
QString WindowCaption(const FileState& state, Language language);

}  // namespace porvel
