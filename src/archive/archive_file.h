// The archive file (.wpa): the table's data rows as Windows-1251 text cells, each row followed
// by its curve words. Little-endian, no signature: column count, row count (header included),
// then per data row 13 cells of a 32-bit length and the bytes, and n 16-bit curve words, n being
// the row's curve length cell.
#pragma once

#include <QString>

#include "base/language.h"

class QByteArray;
class QIODevice;

namespace porvel {

class ArchiveTable;
class CurveStore;

enum class ArchiveFault {
    None,
    CannotOpen,       // the file could not be opened or created; `reason` says why
    CannotWrite,      // writing or committing the file failed; `reason` says why
    NotOrdinaryFile,  // the path names a folder, a device or the like
    // Sound or not, its rows and curves would take more memory than an archive may.
    BeyondMemoryBudget,
    // A file this program did not write; nothing was changed.
    TooLarge,
    ColumnCount,
    RowCount,
    NegativeLength,
    PastEnd,  // a cell or a curve runs past the end of the file
    CurveTooLong,
    CurvesBeyondBudget,  // more curve words in all than the curve store may hold
    SlotNotWhole,
    TrailingBytes,
};

struct ArchiveFileResult {
    ArchiveFault fault = ArchiveFault::None;
    QString reason;    // the system's words for CannotOpen and CannotWrite
    int dataRows = 0;  // after a successful read: the rows read, header not counted
    bool Ok() const { return fault == ArchiveFault::None; }
    // A file that was opened but holds no archive as this program writes it.
    bool Refused() const { return fault >= ArchiveFault::TooLarge; }
};

enum class FileOperation { Save, Open };

// The text of the error box for a failed save or open of `path`: the file, and the system's
// reason or that it holds no archive.
QString FileFaultMessage(FileOperation operation, const QString& path,
                         const ArchiveFileResult& result, Language language);

// "Файл … не является архивом Porvel или повреждён": the words for a file that holds no archive.
QString NotAnArchiveMessage(const QString& path, Language language);

// Writes the archive onto `out`; false when the device takes fewer bytes than given.
bool WriteArchive(const ArchiveTable& table, const CurveStore& curves, QIODevice& out);

// Writes through a temporary file that replaces `path` only once it is complete and on disk,
// then syncs the folder, so a failed save leaves the previous file as it was.
ArchiveFileResult WriteArchiveFile(const ArchiveTable& table, const CurveStore& curves,
                                   const QString& path);

// Checks the whole of `bytes` first; only a sound archive replaces the table's rows and the
// store's curves. Rows that name the same slot, or a wild slot number, get free slots, and their
// slot cells say so.
ArchiveFileResult ReadArchiveBytes(const QByteArray& bytes, ArchiveTable& table,
                                   CurveStore& curves);
ArchiveFileResult ReadArchiveFile(const QString& path, ArchiveTable& table, CurveStore& curves);

}  // namespace porvel
