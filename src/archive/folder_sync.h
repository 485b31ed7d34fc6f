// Making a rename inside a folder durable: the folder's own entry list goes to disk.
#pragma once

#include <QString>

namespace porvel {

// Syncs the folder that holds `filePath`. False, with the system's reason, when the system
// reports a failure; a folder that cannot be synced (file system or permissions) counts as done.
bool SyncFolderOf(const QString& filePath, QString* reason);

}  // namespace porvel
