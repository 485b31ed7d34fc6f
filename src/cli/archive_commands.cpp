// The commands that work on an archive file: info, export and print.
#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

#include "archive/archive_record.h"
#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "archive/selection_summary.h"
#include "base/locale_format.h"
#include "cli_files.h"
#include "cli_tool.h"
#include "console_exchange.h"
#include "output/spreadsheet_export.h"
#include "output/table_listing.h"
#include "output/test_record.h"
#include "plot/curve_builder.h"
#include "ui/main_texts.h"

namespace porvel::cli {
namespace {

const QString kCurves = QStringLiteral("curves");
const QString kRecord = QStringLiteral("record");
const QString kRows = QStringLiteral("rows");
const QString kSummary = QStringLiteral("summary");

// Curve points in the printed forms: seconds to the microsecond, kPa to the pascal (a count of
// the sensor is about 8 Pa, so no two counts print alike).
constexpr int kSecondDecimals = 6;
constexpr int kPressureDecimals = 3;
constexpr int kTextSecondDecimals = 3;

double Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

// A cell on one line of tab-separated text: a tab or line break inside it becomes a blank.
QString OneLine(QString cell) {
    for (QChar& c : cell)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return cell;
}

// The rows of --record and --rows as table rows, in the order given: numbers and ranges ("3,5,9",
// "2-4") of the data rows, 1 the first; a row may be named twice, as it may be plotted twice.
// `option` is the option as the messages name it.
std::vector<int> RecordRows(const QString& option, const QString& list, int dataRows,
                            Language language) {
    std::vector<int> rows;
    for (const QString& piece : list.split(QLatin1Char(','))) {
        const QString given = piece.trimmed();
        const QStringList ends = given.split(QLatin1Char('-'));
        bool firstOk = false, lastOk = false;
        const int first = ends[0].trimmed().toInt(&firstOk);
        const int last = ends.size() == 2 ? ends[1].trimmed().toInt(&lastOk) : first;
        if (ends.size() == 2 && !lastOk) firstOk = false;
        auto isRow = [dataRows](int row) { return row >= 1 && row <= dataRows; };
        if (!firstOk || ends.size() > 2 || !isRow(first) || !isRow(last))
            throw CliFailure{
                kExitUsage,
                Text(CliText::BadRows, language).arg(option, given, QString::number(dataRows))};
        if (last < first)
            throw CliFailure{kExitUsage, Text(CliText::ReversedRange, language).arg(option, given)};
        for (int row = first; row <= last; ++row) rows.push_back(row);
    }
    return rows;
}

// The rows once each, in the order first named; a row named again is said on stderr, since a
// summary that counted it twice would weigh it twice.
std::vector<int> RowsOnce(const std::vector<int>& rows, Language language) {
    enum : char { kUnseen, kSeen, kRepeated };
    const int highest = rows.empty() ? 0 : *std::max_element(rows.begin(), rows.end());
    std::vector<char> state(static_cast<std::size_t>(highest) + 1, kUnseen);
    std::vector<int> once;
    QStringList repeated;
    for (int row : rows) {
        char& seen = state[static_cast<std::size_t>(row)];
        if (seen == kUnseen) {
            once.push_back(row);
            seen = kSeen;
        } else if (seen == kSeen) {
            repeated << QString::number(row);
            seen = kRepeated;
        }
    }
    if (!repeated.isEmpty())
        PrintError(
            Text(repeated.size() == 1 ? CliText::RepeatedRow : CliText::RepeatedRows, language)
                .arg(repeated.join(QStringLiteral(", "))));
    return once;
}

QJsonValue NumberOrNull(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue();
}

QJsonValue NumberOrNull(const std::optional<int>& value) {
    return value ? QJsonValue(*value) : QJsonValue();
}

// What the row's texts say, for scripts that should not read the desktop's forms: the date and
// time in ISO 8601, the numbers as numbers, null where a text says none.
QJsonObject ValuesJson(const Measurement& values) {
    QJsonValue when;
    if (values.date.isValid() && values.time.isValid())
        when = QDateTime(values.date, values.time).toString(QStringLiteral("yyyy-MM-ddTHH:mm"));
    return {{QStringLiteral("number"), NumberOrNull(values.number)},
            {QStringLiteral("dateTime"), when},
            {QStringLiteral("atmosphere"), NumberOrNull(values.atmosphere)},
            {QStringLiteral("m"), NumberOrNull(values.m)},
            {QStringLiteral("a"), NumberOrNull(values.a)},
            {QStringLiteral("h"), NumberOrNull(values.h)},
            {QStringLiteral("grade"), NumberOrNull(values.grade)}};
}

QString InfoJson(const ArchiveTable& table, const CurveStore& curves, const std::vector<int>& shown,
                 bool withCurves) {
    QJsonArray headers;
    for (int col = 0; col < kExportColumns; ++col) headers.append(table.Header(col));
    QJsonArray rows;
    for (int row : shown) {
        QJsonArray cells;
        for (int col = 0; col < kExportColumns; ++col) cells.append(table.Cell(col, row));
        const Measurement& values = table.Values(row);
        const bool hasRate = values.sampleRate && *values.sampleRate > 0.0;
        QJsonObject object{
            {QStringLiteral("cells"), cells},
            {QStringLiteral("values"), ValuesJson(values)},
            {QStringLiteral("curveLength"), NumberOrNull(values.curveLength)},
            {QStringLiteral("sampleRate"), hasRate ? QJsonValue(*values.sampleRate) : QJsonValue()},
            {QStringLiteral("slot"), NumberOrNull(values.slot)}};
        if (withCurves) {
            QJsonValue curveValue;
            // The samples as recorded, not smoothed as the chart draws them.
            if (const std::optional<CurvePoints> curve = BuildRecordedCurve(table, curves, row)) {
                QJsonArray seconds, kPa;
                for (double t : curve->times) seconds.append(Rounded(t, kSecondDecimals));
                for (double p : curve->pressures) kPa.append(Rounded(p, kPressureDecimals));
                curveValue =
                    QJsonObject{{QStringLiteral("seconds"), seconds}, {QStringLiteral("kPa"), kPa}};
            }
            object.insert(QStringLiteral("curve"), curveValue);
        }
        rows.append(object);
    }
    const QJsonObject root{{QStringLiteral("columns"), headers}, {QStringLiteral("rows"), rows}};
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact)) +
           QLatin1Char('\n');
}

QString InfoText(const ArchiveTable& table, const CurveStore& curves, const std::vector<int>& shown,
                 bool withCurves, Language language) {
    QString text;
    std::vector<int> lines{0};  // the header first
    lines.insert(lines.end(), shown.begin(), shown.end());
    for (int row : lines) {
        QStringList cells;
        for (int col = 0; col < kExportColumns; ++col) cells << OneLine(table.ShownText(col, row));
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    if (!withCurves) return text;
    // Each row's curve after the table: its number, then time and pressure per line.
    for (int row : shown) {
        const std::optional<CurvePoints> curve = BuildRecordedCurve(table, curves, row);
        if (!curve) continue;
        text +=
            QStringLiteral("\n№ %1\n%2\t%3\n")
                .arg(OneLine(table.Cell(column::kNumber, row)), Text(CliText::TimeColumn, language),
                     Text(CliText::PressureColumn, language));
        for (qsizetype i = 0; i < curve->times.size(); ++i)
            text += FormatFixed(curve->times[i], kTextSecondDecimals) + QLatin1Char('\t') +
                    FormatFixed(curve->pressures[i], kPressureDecimals) + QLatin1Char('\n');
    }
    return text;
}

std::vector<QCommandLineOption> InfoOptions(Language language) {
    return {{kJson, Text(CliText::JsonOption, language)},
            {kCurves, Text(CliText::CurvesOption, language)},
            {kRows, Text(CliText::RowsOption, language), QStringLiteral("ROWS")},
            {kSummary, Text(CliText::SummaryOption, language)}};
}

// The summary in JSON: numbers as numbers (null where there is none), the grade as on Table W
// with where the mean m stands ("within", "below", "above" or "none" without any m).
QString SummaryJson(const SelectionSummary& s) {
    const bool hasM = s.withM() > 0;
    auto number = [](bool has, double value) { return has ? QJsonValue(value) : QJsonValue(); };
    static const char* const kPlaces[] = {"below", "within", "above"};
    const QJsonObject object{
        {QStringLiteral("rows"), s.rows},
        {QStringLiteral("withoutM"), s.withoutM},
        {QStringLiteral("meanM"), number(hasM, s.meanM)},
        {QStringLiteral("minM"), number(hasM, s.minM)},
        {QStringLiteral("maxM"), number(hasM, s.maxM)},
        {QStringLiteral("variationPercent"), number(s.hasVariation, s.variationPercent)},
        {QStringLiteral("meanA"), number(s.hasA, s.meanA)},
        {QStringLiteral("grade"),
         hasM ? QJsonValue(SummaryGrade(s, Language::English)) : QJsonValue()},
        {QStringLiteral("gradePlace"),
         QString::fromLatin1(hasM ? kPlaces[s.grade.where] : "none")}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) +
           QLatin1Char('\n');
}

int RunInfo(const CliContext& context) {
    const Language language = context.language;
    ArchiveTable table;
    CurveStore curves;
    OpenArchive(context.arguments[0], table, curves, language);
    table.SetHeaderLanguage(language);
    std::vector<int> rows;
    if (context.parser.isSet(kRows)) {
        rows = RecordRows(QStringLiteral("--rows"), context.parser.value(kRows),
                          table.GridRowCount() - 1, language);
    } else {
        for (int row = 1; row < table.GridRowCount(); ++row) rows.push_back(row);
    }
    const bool json = context.parser.isSet(kJson);
    if (context.parser.isSet(kSummary)) {
        const SelectionSummary summary = Summarize(table, RowsOnce(rows, language));
        PrintOut(json ? SummaryJson(summary) : SummaryLine(summary, language) + QLatin1Char('\n'),
                 language);
        return kExitOk;
    }
    const bool withCurves = context.parser.isSet(kCurves);
    PrintOut(json ? InfoJson(table, curves, rows, withCurves)
                  : InfoText(table, curves, rows, withCurves, language),
             language);
    return kExitOk;
}

// A file that holds no measurement has nothing to export or to print a record of.
void RequireMeasurements(const ArchiveTable& table, const QString& path, Language language) {
    if (table.IsEmpty())
        throw CliFailure{kExitNothingToWrite,
                         Text(CliText::EmptyArchive, language).arg(QDir::toNativeSeparators(path))};
}

std::vector<QCommandLineOption> NoOptions(Language) {
    return {};
}

int RunExport(const CliContext& context) {
    const Language language = context.language;
    const QString in = context.arguments[0];
    const QString out = context.arguments[1];
    CheckExtension(out, {QStringLiteral("xlsx"), QStringLiteral("xls"), QStringLiteral("csv")},
                   language);
    ArchiveTable table;
    CurveStore curves;
    OpenArchive(in, table, curves, language);
    RequireMeasurements(table, in, language);
    CheckWritableTarget(out, language);
    table.SetHeaderLanguage(language);
    // Ctrl+C no longer ends the tool in the middle of the file: the write is short, and its
    // temporary file is never left behind.
    CatchInterrupts();
    const ExportResult result =
        ExportTable(table, MainTextOf(MainText::ArchiveTitle, language), out);
    if (!result.ok) FailWrite(out, result.reason, language);
    PrintError(Text(CliText::Written, language).arg(QDir::toNativeSeparators(out)));
    return kExitOk;
}

std::vector<QCommandLineOption> PrintOptions(Language language) {
    return {{kRecord, Text(CliText::RecordOption, language), QStringLiteral("ROWS")}};
}

int RunPrint(const CliContext& context) {
    const Language language = context.language;
    const QString in = context.arguments[0];
    const QString out = context.arguments[1];
    CheckExtension(out, {QStringLiteral("pdf")}, language);
    ArchiveTable table;
    CurveStore curves;
    OpenArchive(in, table, curves, language);
    table.SetHeaderLanguage(language);
    const bool record = context.parser.isSet(kRecord);
    std::vector<int> rows;
    if (record) {
        RequireMeasurements(table, in, language);
        rows = RecordRows(QStringLiteral("--record"), context.parser.value(kRecord),
                          table.GridRowCount() - 1, language);
        // A row without a curve cannot stand in the record's chart: say which, by the rule the
        // chart itself plots by.
        for (int row : rows)
            if (!BuildCurve(table, curves, row))
                throw CliFailure{kExitUsage, Text(CliText::NoCurve, language).arg(row)};
    }
    CheckWritableTarget(out, language);
    CatchInterrupts();
    QString reason;
    bool written = false;
    if (record) {
        written = WriteTestRecordPdf(table, curves, rows, language, out, &reason);
    } else {
        TableListingReport listing(table, language);
        written = WriteReportPdf(listing, out, &reason);
    }
    if (!written) FailWrite(out, reason, language);
    PrintError(Text(CliText::Written, language).arg(QDir::toNativeSeparators(out)));
    return kExitOk;
}

}  // namespace

CliCommand InfoCommand() {
    return {QStringLiteral("info"),
            CliText::InfoSummary,
            QStringLiteral("IN.wpa [--json] [--curves] [--rows ROWS] [--summary]"),
            {{QStringLiteral("IN.wpa"), CliText::InArchiveArgument}},
            InfoOptions,
            RunInfo,
            false};
}

CliCommand ExportCommand() {
    return {QStringLiteral("export"),
            CliText::ExportSummary,
            QStringLiteral("IN.wpa OUT.xlsx|OUT.xls|OUT.csv"),
            {{QStringLiteral("IN.wpa"), CliText::InArchiveArgument},
             {QStringLiteral("OUT"), CliText::WorkbookArgument}},
            NoOptions,
            RunExport,
            false};
}

CliCommand PrintCommand() {
    return {QStringLiteral("print"),
            CliText::PrintSummary,
            QStringLiteral("IN.wpa OUT.pdf [--record ROWS]"),
            {{QStringLiteral("IN.wpa"), CliText::InArchiveArgument},
             {QStringLiteral("OUT.pdf"), CliText::PdfArgument}},
            PrintOptions,
            RunPrint,
            false};
}

}  // namespace porvel::cli
