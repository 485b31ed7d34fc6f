// Writes the exports that tests/output/check_exports.py reads back with readers of its own:
// ten measurements in Russian and English, a Russian table exported on an English desktop, and
// the tables of 65535 and 65536 rows. The test runs it under a comma-decimal and a full-stop
// system locale; its second argument is the decimal separator the C library must then have, so
// that a locale missing from the machine fails instead of passing unseen.
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "../table_rows_builder.h"
#include "base/locale_format.h"
#include "output/spreadsheet_export.h"

using namespace porvel;
using namespace porvel::testing;

namespace {

const QString kRussianTitle = QStringLiteral("Архив измерений ");
const QString kEnglishTitle = QStringLiteral("Archive of measurements ");

bool Export(const ArchiveTable& table, const QString& title, const QString& path) {
    const ExportResult result = ExportTable(table, title, path);
    if (!result.ok) std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(result.reason));
    return result.ok;
}

// Names typed by operators, among them texts a spreadsheet would take for formulas.
void FillTen(ArchiveTable& t, Language header) {
    FillColumn(t, column::kObject,
               {"Плита", "=SUM(A1:A3)", "+7", "-5 кг", "@cmd", "a;b,c", "say \"hi\"", "Line\nTwo",
                "Мост", "Стена"});
    t.SetCell(column::kH, 2, QString());
    t.SetCell(column::kGrade, 2, QStringLiteral(" - "));
    t.SetCell(column::kM, 3, kNotANumberText);
    t.SetCell(column::kAtmosphere, 4, QStringLiteral("-2,5"));
    t.SetHeaderLanguage(header);
}

void FillMany(ArchiveTable& t, int tableRows) {
    QStringList names;
    for (int i = 1; i < tableRows; ++i) names << QStringLiteral("Объект %1").arg(i);
    FillColumn(t, column::kObject, names);
    t.SetHeaderLanguage(Language::Russian);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // sets the C library's locale from the environment
    if (argc != 3) return 2;
    if (std::strcmp(std::localeconv()->decimal_point, argv[2]) != 0) {
        std::fprintf(stderr, "the C library's decimal separator is \"%s\", not \"%s\"\n",
                     std::localeconv()->decimal_point, argv[2]);
        return 1;
    }
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    UseHoursMinutesTimeFormat();
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) return 1;
    bool ok = true;
    ArchiveTable ten;
    FillTen(ten, Language::Russian);
    for (const char* name : {"ten.xlsx", "ten.xls", "ten.csv"})
        ok &= Export(ten, kRussianTitle, dir.filePath(QLatin1String(name)));
    FillTen(ten, Language::English);
    for (const char* name : {"english.xlsx", "english.xls"})
        ok &= Export(ten, kEnglishTitle, dir.filePath(QLatin1String(name)));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ten.SetCell(column::kAtmosphere, 1, QStringLiteral("101.3"));
    ok &= Export(ten, kEnglishTitle, dir.filePath(QStringLiteral("english.csv")));
    // An archive read on a Russian desktop, opened on an English one: its numbers and dates are
    // numbers and dates still.
    FillTen(ten, Language::Russian);
    ok &= Export(ten, kRussianTitle, dir.filePath(QStringLiteral("travelled.xlsx")));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    ArchiveTable many;
    FillMany(many, 65535);
    ok &= Export(many, kRussianTitle, dir.filePath(QStringLiteral("rows65535.xlsx")));
    FillMany(many, 65536);
    ok &= Export(many, kRussianTitle, dir.filePath(QStringLiteral("rows65536.xlsx")));
    ok &= Export(many, kRussianTitle, dir.filePath(QStringLiteral("rows65536.xls")));
    return ok ? 0 : 1;
}
