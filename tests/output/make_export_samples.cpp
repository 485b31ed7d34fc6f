// Writes the exports that tests/output/check_exports.py reads back with readers of its own:
// ten measurements in Russian and English, and the tables of 65535 and 65536 rows.
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <cstdio>

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
    QCoreApplication app(argc, argv);
    if (argc != 2) return 2;
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
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    ArchiveTable many;
    FillMany(many, 65535);
    ok &= Export(many, kRussianTitle, dir.filePath(QStringLiteral("rows65535.xlsx")));
    FillMany(many, 65536);
    ok &= Export(many, kRussianTitle, dir.filePath(QStringLiteral("rows65536.xlsx")));
    ok &= Export(many, kRussianTitle, dir.filePath(QStringLiteral("rows65536.xls")));
    return ok ? 0 : 1;
}
