// The archive file the table belongs to, as the main window's caption shows it.
#pragma once

#include <QString>

#include "base/language.h"

namespace porvel {

struct FileState {
    QString folder;
    QString fileName;  // without the folder
    bool named = false;
    bool modified = false;
};

// "Porvel", "Porvel - name", either possibly followed by "*".
QString WindowCaption(const FileState& state, Language language);

// After a table row was deleted: the archive counts as named and modified, and `caption` gets
// its "*" unless it was modified already. The caption is extended, not rebuilt, so an archive
// read from the instrument and never named shows "Porvel*".
QString MarkRowDeleted(FileState& state, const QString& caption);

}  // namespace porvel
