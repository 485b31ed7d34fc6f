#include "cli_files.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#ifdef _WIN32
#include <windows.h>
#endif

#include "cli_tool.h"

namespace porvel::cli {
namespace {

// The C library's number of a common reason the system gave in words; 0 for any other. Only
// the words reach the tool: Qt words some numbers its own way and the C library by the
// desktop's language, so both wordings are tried.
int CommonErrorOf(const QString& reason) {
    static constexpr int kCommon[] = {ENOENT, EACCES, ENOSPC, EROFS, EISDIR};
    for (int code : kCommon) {
        if (reason == QString::fromLocal8Bit(std::strerror(code))) return code;
#ifndef _WIN32
        if (reason == qt_error_string(code)) return code;
#endif
    }
#ifdef _WIN32
    // There Qt words a failed file call by the system's own error number.
    struct WindowsError {
        DWORD system;
        int code;
    };
    static constexpr WindowsError kWindows[] = {
        {ERROR_FILE_NOT_FOUND, ENOENT},   {ERROR_PATH_NOT_FOUND, ENOENT},
        {ERROR_ACCESS_DENIED, EACCES},    {ERROR_DISK_FULL, ENOSPC},
        {ERROR_HANDLE_DISK_FULL, ENOSPC}, {ERROR_WRITE_PROTECT, EROFS}};
    for (const WindowsError& error : kWindows)
        if (reason == qt_error_string(static_cast<int>(error.system))) return error.code;
#endif
    return 0;
}

}  // namespace

QString SystemReason(const QString& reason, FileOperation operation, Language language) {
    switch (CommonErrorOf(reason)) {
        case ENOENT:
            return Text(CliText::NoSuchFile, language);
        case EACCES:
            return Text(
                operation == FileOperation::Save ? CliText::NotWritable : CliText::NotReadable,
                language);
        case ENOSPC:
            return Text(CliText::DiskFull, language);
        case EROFS:
            return Text(CliText::ReadOnlyDisk, language);
        case EISDIR:
            return Text(CliText::IsFolder, language);
        default:
            return reason;
    }
}

QString FileFault(FileOperation operation, const QString& path, const ArchiveFileResult& result,
                  Language language) {
    ArchiveFileResult worded = result;
    worded.reason = SystemReason(result.reason, operation, language);
    return FileFaultMessage(operation, path, worded, language);
}

void CheckExtension(const QString& path, const QStringList& extensions, Language language) {
    const QString suffix = QFileInfo(path).suffix();
    for (const QString& extension : extensions)
        if (suffix.compare(extension, Qt::CaseInsensitive) == 0) return;
    QStringList dotted;
    for (const QString& extension : extensions) dotted << QLatin1Char('.') + extension;
    throw CliFailure{kExitUsage,
                     Text(CliText::BadExtension, language)
                         .arg(QDir::toNativeSeparators(path), dotted.join(QStringLiteral(", ")))};
}

void CheckWritableTarget(const QString& path, Language language) {
    const QFileInfo file(path);
    if (file.isDir()) FailWrite(path, Text(CliText::IsFolder, language), language);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        FailWrite(
            path,
            Text(CliText::NoFolder, language).arg(QDir::toNativeSeparators(folder.filePath())),
            language);
    // The new file is made beside the old one and renamed over it: both must be writable.
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        FailWrite(path, Text(CliText::NotWritable, language), language);
}

void OpenArchive(const QString& path, ArchiveTable& table, CurveStore& curves, Language language) {
    const ArchiveFileResult result = ReadArchiveFile(path, table, curves);
    if (!result.Ok())
        throw CliFailure{kExitCannotRead, FileFault(FileOperation::Open, path, result, language)};
}

void FailWrite(const QString& path, const QString& reason, Language language) {
    throw CliFailure{kExitCannotWrite,
                     Text(CliText::CannotWrite, language)
                         .arg(QDir::toNativeSeparators(path),
                              SystemReason(reason, FileOperation::Save, language))};
}

}  // namespace porvel::cli
