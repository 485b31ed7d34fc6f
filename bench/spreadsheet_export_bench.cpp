// Exports a table of 65536 rows (two sheets) and prints, against their goals: the .xlsx export
// over a bare libxlsxwriter loop writing the same cells in constant-memory mode, the .xls export
// over the .xlsx export, and the peak memory each export adds.
#include <xlsxwriter.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "base/locale_format.h"
#include "bench_goal.h"
#include "bench_table.h"
#include "output/cell_value.h"
#include "output/spreadsheet_export.h"

using namespace porvel;

namespace {

constexpr int kTableRows = 65536;

// Resident memory now, and the peak since the last reset, in KiB.
long Status(const char* key) {
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(static_cast<int>(qstrlen(key))).trimmed().split(' ')[0].toLong();
    return 0;
}
void ResetPeak() {
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    if (file.open(QIODevice::WriteOnly)) file.write("5");
}

struct Run {
    double seconds;
    double addedMiB;
};

template <typename F>
Run Measure(F work) {
    ResetPeak();
    const long before = Status("VmRSS:");
    QElapsedTimer clock;
    clock.start();
    work();
    const double seconds = clock.nsecsElapsed() / 1e9;
    return {seconds, (Status("VmHWM:") - before) / 1024.0};
}

// The same cells written by libxlsxwriter alone, their values worked out beforehand.
void BareLoop(const ArchiveTable& t, const QString& path) {
    struct Cell {
        CellValue value;
        QByteArray utf8;
    };
    CellClassifier classifier;
    std::vector<Cell> cells;
    cells.reserve(static_cast<std::size_t>(kTableRows) * kExportColumns);
    for (int r = 0; r < kTableRows; ++r)
        for (int c = 0; c < kExportColumns; ++c)
            cells.push_back({classifier.Classify(t, c, r), t.ShownText(c, r).toUtf8()});
    Measure([] {});  // keeps the preparation out of the peak below
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_format* text = workbook_add_format(book);
    format_set_align(text, LXW_ALIGN_CENTER);
    std::vector<lxw_format*> numbers;
    for (const QString& f : classifier.Formats()) {
        numbers.push_back(workbook_add_format(book));
        format_set_align(numbers.back(), LXW_ALIGN_CENTER);
        format_set_num_format(numbers.back(), f.toUtf8().constData());
    }
    lxw_worksheet* sheet = nullptr;
    for (int r = 0; r < kTableRows; ++r) {
        if (r % kRowsPerSheet == 0) sheet = workbook_add_worksheet(book, nullptr);
        const auto row = static_cast<lxw_row_t>(r % kRowsPerSheet);
        for (int c = 0; c < kExportColumns; ++c) {
            const Cell& cell = cells[static_cast<std::size_t>(r) * kExportColumns + c];
            if (cell.value.kind == CellKind::Number)
                worksheet_write_number(sheet, row, static_cast<lxw_col_t>(c), cell.value.number,
                                       numbers[static_cast<std::size_t>(cell.value.format)]);
            else if (cell.value.kind == CellKind::Text)
                worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), cell.utf8.constData(),
                                       text);
        }
    }
    workbook_close(book);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    UseHoursMinutesTimeFormat();
    ArchiveTable table;
    bench::FillTable(table, kTableRows);
    QTemporaryDir dir;
    const QString title = QStringLiteral("Архив измерений ");
    auto exportTo = [&](const char* name) {
        const ExportResult result = ExportTable(table, title, dir.filePath(QLatin1String(name)));
        if (!result.ok) std::fprintf(stderr, "%s: %s\n", name, qPrintable(result.reason));
    };
    const Run xlsx = Measure([&] { exportTo("table.xlsx"); });
    const Run xls = Measure([&] { exportTo("table.xls"); });
    // Last, so that the memory its prepared cells leave to the allocator flatters no export.
    const Run bare = Measure([&] { BareLoop(table, dir.filePath(QStringLiteral("bare.xlsx"))); });
    std::printf(
        "spreadsheet export of %d rows: bare libxlsxwriter %.3f s, .xlsx %.3f s, .xls %.3f s\n",
        kTableRows, bare.seconds, xlsx.seconds, xls.seconds);
    std::printf("  .xlsx / bare loop: %.2f (goal at most 1.2)\n", xlsx.seconds / bare.seconds);
    std::printf("  .xls / .xlsx:      %.2f (goal at most 1.0)\n", xls.seconds / xlsx.seconds);
    std::printf("  peak memory added: .xlsx %.1f MiB, .xls %.1f MiB (goal under 64 MiB)\n",
                xlsx.addedMiB, xls.addedMiB);
    porvel::bench::Goal("spreadsheet_export", ".xlsx / bare loop", xlsx.seconds / bare.seconds,
                        " x", 1.2);
    porvel::bench::Goal("spreadsheet_export", ".xls / .xlsx", xls.seconds / xlsx.seconds, " x",
                        1.0);
    porvel::bench::Goal("spreadsheet_export", ".xlsx peak memory", xlsx.addedMiB, " MiB", 64, true);
    porvel::bench::Goal("spreadsheet_export", ".xls peak memory", xls.addedMiB, " MiB", 64, true);
    return 0;
}
