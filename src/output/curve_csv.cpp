#include "curve_csv.h"

#include <QString>
#include <map>

#include "archive/archive_table.h"
#include "base/locale_format.h"
#include "plot/curve_builder.h"
#include "spreadsheet_export.h"

namespace porvel {
namespace {

constexpr int kSecondDecimals = 3;
constexpr int kPressureDecimals = 3;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
const QString kTimeTitle = QStringLiteral("t, c");

}  // namespace

QByteArray CurvesCsv(const ArchiveTable& table, const CurveStore& curves,
                     const std::vector<int>& rows) {
    const QChar separator = CsvSeparator();
    std::vector<CurvePoints> plotted;
    QString header = kTimeTitle;
    for (int row : rows) {
        std::optional<CurvePoints> curve = BuildRecordedCurve(table, curves, row);
        if (!curve) continue;
        // A number is digits; anything else in the cell is quoted as text.
        QString title = QStringLiteral("№ ") + table.Cell(column::kNumber, row).trimmed();
        if (title.contains(separator) || title.contains(QLatin1Char('"')))
            title = QLatin1Char('"') + title.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                    QLatin1Char('"');
        header += separator + title;
        plotted.push_back(std::move(*curve));
    }
    // Every sample time of every curve, each with the value of each curve sampled then. Equal
    // times of different rates are equal doubles: i / rate is the rational rounded once.
    std::map<double, std::vector<int>> lines;
    for (std::size_t c = 0; c < plotted.size(); ++c)
        for (qsizetype i = 0; i < plotted[c].times.size(); ++i) {
            std::vector<int>& at = lines[plotted[c].times[i]];
            at.resize(plotted.size(), -1);
            at[c] = static_cast<int>(i);
        }
    QString text = header + QStringLiteral("\r\n");
    for (auto& [time, samples] : lines) {
        samples.resize(plotted.size(), -1);
        text += FormatFixed(time, kSecondDecimals);
        for (std::size_t c = 0; c < plotted.size(); ++c) {
            text += separator;
            if (samples[c] >= 0)
                text += FormatFixed(plotted[c].pressures[samples[c]], kPressureDecimals);
        }
        text += QStringLiteral("\r\n");
    }
    return QByteArray(kByteOrderMark) + text.toUtf8();
}

}  // namespace porvel
