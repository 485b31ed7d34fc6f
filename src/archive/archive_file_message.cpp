// Why an archive file could not be saved or opened, in words for the user, naming the file.
#include <QDir>

#include "archive_file.h"

namespace porvel {

namespace {

// %1 is the file, %2 the reason.
constexpr TextPair kSaveFailed = {u"Не удалось сохранить файл %1: %2",
                                  u"The file %1 could not be saved: %2"};
constexpr TextPair kOpenFailed = {u"Не удалось открыть файл %1: %2",
                                  u"The file %1 could not be opened: %2"};
constexpr TextPair kNotOrdinaryFile = {u"это не обычный файл", u"it is not an ordinary file"};
// %1 is the file.
constexpr TextPair kNotAnArchive = {u"Файл %1 не является архивом Porvel или повреждён",
                                    u"The file %1 is not a Porvel archive or is damaged"};
constexpr TextPair kBeyondMemory = {
    u"Файл %1 слишком велик: его строки и кривые не поместятся в памяти, которую программа "
    u"отводит архиву",
    u"The file %1 is too large: its rows and curves would not fit in the memory the program "
    u"sets aside for an archive"};

}  // namespace

QString NotAnArchiveMessage(const QString& path, Language language) {
    return TextIn(kNotAnArchive, language).arg(QDir::toNativeSeparators(path));
}

QString FileFaultMessage(FileOperation operation, const QString& path,
                         const ArchiveFileResult& result, Language language) {
    const QString file = QDir::toNativeSeparators(path);
    if (result.Refused()) return NotAnArchiveMessage(path, language);
    if (result.fault == ArchiveFault::BeyondMemoryBudget)
        return TextIn(kBeyondMemory, language).arg(file);
    const QString reason = result.fault == ArchiveFault::NotOrdinaryFile
                               ? TextIn(kNotOrdinaryFile, language)
                               : result.reason;
    const TextPair& text = operation == FileOperation::Save ? kSaveFailed : kOpenFailed;
    return TextIn(text, language).arg(file, reason);
}

}  // namespace porvel
