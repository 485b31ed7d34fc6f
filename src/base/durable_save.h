// Saving through QSaveFile so that a file is either replaced whole or left as it was, and stays
// so after a power loss.
#pragma once

#include <QString>
#include <functional>

class QIODevice;
class QSaveFile;

namespace porvel {

// Flushes and syncs the temporary file before its commit; false, with the system's reason, on a
// failure (a full disk may show only here).
bool SyncToDisk(QSaveFile& file, QString* reason);

// Makes the rename of a save durable: the entry list of the folder that holds `filePath` goes to
// disk. False, with the system's reason, when the system reports a failure; a folder that
// cannot be synced (file system or permissions) counts as done.
bool SyncFolderOf(const QString& filePath, QString* reason);

// Writes `path` whole or not at all: `write` fills a temporary file beside it (setting the reason
// when it fails), which is synced, renamed into place and its folder synced. False, with the
// reason, on any failure. A failure before the rename leaves the file that was there before as
// it was; only a failed sync of the folder comes after it, when the new file is in place but
// not yet sure to survive a power loss.
bool SaveDurably(const QString& path, const std::function<bool(QIODevice&, QString*)>& write,
                 QString* reason);

}  // namespace porvel
