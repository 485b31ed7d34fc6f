#include "program_version.h"

#include <QStringList>

// The build passes the file version and the copyright line (the same data as the Windows version
// resource), and, for a build with SOURCE_DATE_EPOCH, the date of that moment.
#ifndef PORVEL_FILE_VERSION
#error "PORVEL_FILE_VERSION must be defined by the build"
#endif
#ifndef PORVEL_COPYRIGHT
#error "PORVEL_COPYRIGHT must be defined by the build"
#endif

namespace porvel {

namespace {
constexpr VersionTranslation kProgramTranslation{0x0419, 0x04E3};
constexpr int kMonthWidth = 3, kDayWidth = 2, kYearWidth = 4;
}  // namespace

QString TranslationKey(VersionTranslation translation) {
    const std::uint32_t key = (std::uint32_t{translation.language} << 16) | translation.codePage;
    return QStringLiteral("%1").arg(key, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<QString> VersionString(const VersionInfo& info, const QString& name) {
    if (!info.present || !info.translation) return std::nullopt;
    const auto table = info.stringTables.constFind(TranslationKey(*info.translation));
    if (table == info.stringTables.constEnd()) return std::nullopt;
    const auto entry = table->constFind(name);
    if (entry == table->constEnd()) return std::nullopt;
    return *entry;
}

const VersionInfo& ProgramVersionInfo() {
    static const VersionInfo info = [] {
        VersionInfo made;
        made.present = true;
        made.translation = kProgramTranslation;
        made.stringTables[TranslationKey(kProgramTranslation)] = {
            {QStringLiteral("FileVersion"), QStringLiteral(PORVEL_FILE_VERSION)},
            {QStringLiteral("LegalCopyright"), QString::fromUtf8(PORVEL_COPYRIGHT)},
        };
        return made;
    }();
    return info;
}

QString BuildDateText() {
#ifdef PORVEL_BUILD_DATE
    return QStringLiteral(PORVEL_BUILD_DATE);
#else
    return QStringLiteral(__DATE__);
#endif
}

std::optional<BuildDate> SplitBuildDate(const QString& text) {
    const QStringList fields = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() < 3) return std::nullopt;
    BuildDate date{fields[0], fields[1], fields[2]};
    if (date.month.size() > kMonthWidth || date.day.size() > kDayWidth ||
        date.year.size() > kYearWidth)
        return std::nullopt;
    return date;
}

}  // namespace porvel
