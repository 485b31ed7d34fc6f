#include "file_texts.h"

#include <QDir>

namespace porvel {
namespace {

struct Pair {
    const char16_t* russian;
    const char16_t* english;
};

// %1 is the file, %2 the reason.
constexpr Pair kSaveFailed = {u"Не удалось сохранить файл %1: %2",
                              u"The file %1 could not be saved: %2"};
constexpr Pair kOpenFailed = {u"Не удалось открыть файл %1: %2",
                              u"The file %1 could not be opened: %2"};
constexpr Pair kNotOrdinaryFile = {u"это не обычный файл", u"it is not an ordinary file"};
// %1 is the file.
constexpr Pair kNotAnArchive = {u"Файл %1 не является архивом Porvel или повреждён",
                                u"The file %1 is not a Porvel archive or is damaged"};

QString Pick(const Pair& pair, Language language) {
    return QString::fromUtf16(language == Language::Russian ? pair.russian : pair.english);
}

}  // namespace

QString FileFaultMessage(FileOperation operation, const QString& path,
                         const ArchiveFileResult& result, Language language) {
    const QString file = QDir::toNativeSeparators(path);
    if (result.Refused()) return Pick(kNotAnArchive, language).arg(file);
    const QString reason = result.fault == ArchiveFault::NotOrdinaryFile
                               ? Pick(kNotOrdinaryFile, language)
                               : result.reason;
    const Pair& text = operation == FileOperation::Save ? kSaveFailed : kOpenFailed;
    return Pick(text, language).arg(file, reason);
}

}  // namespace porvel
