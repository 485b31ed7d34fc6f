#include "cli_files.h"

#include <QDir>
#include <QFileInfo>

#include "archive/archive_file.h"
#include "cli_tool.h"

namespace porvel::cli {

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
        throw CliFailure{kExitCannotRead,
                         FileFaultMessage(FileOperation::Open, path, result, language)};
}

void FailWrite(const QString& path, const QString& reason, Language language) {
    throw CliFailure{
        kExitCannotWrite,
        Text(CliText::CannotWrite, language).arg(QDir::toNativeSeparators(path), reason)};
}

}  // namespace porvel::cli
