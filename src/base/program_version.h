// What the program knows of itself: its version information (file version and copyright line
// under their translation) and the date it was built.
#pragma once

#include <QMap>
#include <QString>
#include <cstdint>
#include <optional>

namespace porvel {

// The language and code page that name a string table of the version information.
struct VersionTranslation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
};

// The program's version information as a version resource holds it: whether there is any, the
// translation entry, and the string tables by their key ("041904E3") with their entries by name
// ("FileVersion", "LegalCopyright"). Any part may be missing.
struct VersionInfo {
    bool present = false;
    std::optional<VersionTranslation> translation;
    QMap<QString, QMap<QString, QString>> stringTables;
};

// The key of a string table: language and code page as 8 upper-case hexadecimal digits.
QString TranslationKey(VersionTranslation translation);

// The entry `name` of the string table that the translation names; none when the information,
// its translation, that table or the entry is missing.
std::optional<QString> VersionString(const VersionInfo& info, const QString& name);

// The version information compiled into this program: file version and copyright line under
// Russian (0x0419) with code page 1251 (0x04E3).
const VersionInfo& ProgramVersionInfo();

// The date this program was built, in the compiler's form "Mar 24 2014" (a one-digit day is
// padded with a blank, "Mar  4 2014"); it follows SOURCE_DATE_EPOCH when the build sets it.
QString BuildDateText();

// The three fields of a build date text.
struct BuildDate {
    QString month;  // "Jan" to "Dec" in a well-formed text, at most 3 characters
    QString day;    // at most 2 characters
    QString year;   // at most 4 characters
};

// Splits a build date text at its blanks (runs of blanks count as one, so a padded one-digit
// day splits too). None when the text does not have the three fields, or a field is longer than
// its width.
std::optional<BuildDate> SplitBuildDate(const QString& text);

}  // namespace porvel
