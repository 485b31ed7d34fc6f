// Messages of the file commands beyond the main text table: why a file could not be saved or
// opened, naming the file.
#pragma once

#include <QString>

#include "archive/archive_file.h"
#include "base/language.h"

namespace porvel {

enum class FileOperation { Save, Open };

// The text of the error box for a failed save or open of `path`.
QString FileFaultMessage(FileOperation operation, const QString& path,
                         const ArchiveFileResult& result, Language language);

}  // namespace porvel
