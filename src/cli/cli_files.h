// The files a command reads and writes: the checks made before any work starts, so that a
// target that cannot be written is known before a long read from the instrument, and the
// failure lines for a file that cannot be read or written.
#pragma once

#include <QString>
#include <QStringList>

#include "archive/archive_file.h"
#include "base/language.h"

namespace porvel {
class ArchiveTable;
class CurveStore;
}  // namespace porvel

namespace porvel::cli {

// A usage fault unless the file name ends in one of `extensions` (without the dot, any case).
void CheckExtension(const QString& path, const QStringList& extensions, Language language);

// A write fault when `path` is a folder, its folder does not exist, or the file or its folder
// may not be written.
void CheckWritableTarget(const QString& path, Language language);

// Reads the archive file into the table and the store; a read fault, with the file and the
// reason, when it cannot be read or holds no archive.
void OpenArchive(const QString& path, ArchiveTable& table, CurveStore& curves, Language language);

// The system's reason for a failed open or save in the tool's language when it is a common one
// (no such file, no permission, disk full, read-only disk, a folder); any other as the system
// words it.
QString SystemReason(const QString& reason, FileOperation operation, Language language);

// FileFaultMessage with the system's reason as SystemReason words it.
QString FileFault(FileOperation operation, const QString& path, const ArchiveFileResult& result,
                  Language language);

// Throws the write fault of `path` for `reason`.
[[noreturn]] void FailWrite(const QString& path, const QString& reason, Language language);

}  // namespace porvel::cli
