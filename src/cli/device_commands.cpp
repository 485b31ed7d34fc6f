// The commands that talk to the instrument: download, screenshot and lists.
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "archive/archive_file.h"
#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "archive/enter_records.h"
#include "base/locale_format.h"
#include "cli_files.h"
#include "cli_tool.h"
#include "console_exchange.h"
#include "ui/read_outcome_texts.h"
#include "settings/screen_image.h"
#include "wire/name_tables.h"

namespace porvel::cli {
namespace {

const QString kOutput = QStringLiteral("output");
const QString kAppend = QStringLiteral("append");
const QString kKeepPartial = QStringLiteral("keep-partial");
const QString kInk = QStringLiteral("ink");
const QString kBackground = QStringLiteral("background");

// A list's coefficients as the instrument holds them (single precision), without the digits
// that single precision does not have.
constexpr int kFloatDigits = 7;

QString LinkErrorText(Language language) {
    return TextIn(kLinkErrorText, language);
}

// Every list entry that failed its check, named on stderr; how many there were.
int WarnDamagedEntries(const MaterialEntries& materials, const ObjectEntries& objects,
                       Language language) {
    int damaged = 0;
    auto warn = [&](CliText word, std::size_t entry) {
        PrintError(Text(CliText::DamagedEntry, language).arg(Text(word, language)).arg(entry + 1));
        ++damaged;
    };
    for (std::size_t e = 0; e < materials.size(); ++e)
        if (!materials[e].valid) warn(CliText::MaterialWord, e);
    for (std::size_t e = 0; e < objects.size(); ++e)
        if (!objects[e].valid) warn(CliText::ObjectWord, e);
    return damaged;
}

void FailIfInterrupted(Language language) {
    if (Interrupted()) throw CliFailure{kExitInterrupted, Text(CliText::Interrupted, language)};
}

// --- download ---------------------------------------------------------------------------

std::vector<QCommandLineOption> DownloadOptions(Language language) {
    return {{{QStringLiteral("o"), kOutput},
             Text(CliText::DownloadOutOption, language),
             QStringLiteral("OUT.wpa")},
            {kAppend, Text(CliText::AppendOption, language)},
            {kKeepPartial, Text(CliText::KeepPartialOption, language)}};
}

int RunDownload(const CliContext& context) {
    const Language language = context.language;
    const QString out = context.Required(kOutput, QStringLiteral("-o OUT.wpa"));
    const std::chrono::milliseconds timeout = TimeoutOf(context);
    CheckWritableTarget(out, language);
    ArchiveTable table;
    CurveStore curves;
    // A missing file is a fresh archive, so that a day's first --append starts it.
    const bool append = context.parser.isSet(kAppend) && QFileInfo::exists(out);
    if (append) OpenArchive(out, table, curves, language);
    const int rowsBefore = table.IsEmpty() ? 0 : table.GridRowCount() - 1;

    ExchangeSession session;
    CatchInterrupts(&session.exchange.cancel);
    unsigned leftOut = 0;
    const ExchangeOutcome outcome = RunDeviceExchange(
        session, Operation::ReadArchive, language, timeout, [&](const ArchiveHandOver& read) {
            leftOut +=
                EnterRecords(table, curves, read.count, read.records, read.curveArea,
                             session.objects, session.materials, language, {}, read.withoutCurve);
        });
    FailIfAborted(outcome, language, timeout);
    const ExchangeState& state = session.exchange;
    WarnDamagedEntries(DecodeMaterials(state.materials), DecodeObjects(state.objects), language);
    if (outcome.reported == 0)
        throw CliFailure{kExitNothingToWrite, Text(CliText::NoMeasurements, language)};
    // The window enters what came; a file from a script is whole or none, unless the user asks
    // for what arrived.
    const bool keepPartial = context.parser.isSet(kKeepPartial);
    const bool partial = outcome.received < outcome.reported || !outcome.missed.empty();
    QString partialLine;
    if (partial) {
        if (outcome.missed.empty() && !keepPartial) {
            const QString why = outcome.link == LinkStatus::LinkError && outcome.failedChecks == 0
                                    ? LinkErrorText(language)
                                    : TextIn(kCrcErrorText, language);
            throw CliFailure{kExitLinkFault, Text(CliText::ReadFailed, language)
                                                 .arg(outcome.received + 1)
                                                 .arg(outcome.reported)
                                                 .arg(why)};
        }
        QStringList why;
        if (outcome.linkLost) why << LinkErrorText(language) + QLatin1Char('.');
        if (!outcome.missed.empty()) why << NotReadText(outcome.missed, language);
        partialLine = Text(CliText::ReadPartial, language)
                          .arg(outcome.received)
                          .arg(outcome.reported)
                          .arg(why.join(QLatin1Char(' ')));
        if (!keepPartial)
            throw CliFailure{kExitLinkFault, partialLine + QStringLiteral("; ") +
                                                 Text(CliText::NothingWritten, language)};
    }
    FailIfInterrupted(language);
    // An archive whose curves cannot take the new ones is left as it is rather than written
    // without some of the instrument's measurements.
    if (leftOut > 0)
        throw CliFailure{kExitCannotWrite,
                         Text(CliText::CurvesFull, language)
                             .arg(QDir::toNativeSeparators(out), QString::number(leftOut))};

    const int rowsAfter = table.GridRowCount() - 1;
    const int added = rowsAfter - rowsBefore;
    const QString shown = QDir::toNativeSeparators(out);
    if (partial) PrintError(partialLine);
    const int done = partial ? kExitLinkFault : kExitOk;
    if (append && added == 0) {
        PrintError(Text(CliText::NothingNew, language).arg(shown));
        return done;
    }
    const ArchiveFileResult written = WriteArchiveFile(table, curves, out);
    if (!written.Ok())
        throw CliFailure{kExitCannotWrite, FileFault(FileOperation::Save, out, written, language)};
    PrintError(Text(CliText::Downloaded, language)
                   .arg(shown, QString::number(rowsAfter), QString::number(added)));
    return done;
}

// --- screenshot -------------------------------------------------------------------------

std::vector<QCommandLineOption> ScreenshotOptions(Language language) {
    return {{{QStringLiteral("o"), kOutput},
             Text(CliText::ScreenOutOption, language),
             QStringLiteral("OUT.png")},
            {kInk, Text(CliText::InkOption, language), QStringLiteral("colour")},
            {kBackground, Text(CliText::BackgroundOption, language), QStringLiteral("colour")}};
}

QColor ColourOf(const CliContext& context, const QString& option, const QColor& fallback) {
    if (!context.parser.isSet(option)) return fallback;
    const QString text = context.parser.value(option);
    const QColor colour(text);
    if (!colour.isValid())
        throw CliFailure{
            kExitUsage,
            Text(CliText::BadColour, context.language).arg(QStringLiteral("--") + option, text)};
    return colour;
}

int RunScreenshot(const CliContext& context) {
    const Language language = context.language;
    const QString out = context.Required(kOutput, QStringLiteral("-o OUT.png"));
    CheckExtension(out, {QStringLiteral("png"), QStringLiteral("bmp")}, language);
    const QColor ink = ColourOf(context, kInk, Qt::black);
    const QColor background = ColourOf(context, kBackground, Qt::white);
    const std::chrono::milliseconds timeout = TimeoutOf(context);
    CheckWritableTarget(out, language);

    ExchangeSession session;
    CatchInterrupts(&session.exchange.cancel);
    FailIfAborted(RunDeviceExchange(session, Operation::ReadScreen, language, timeout), language,
                  timeout);
    FailIfInterrupted(language);
    QString error;
    if (!SaveScreenImage(ScreenImage(session.exchange.screen, ink, background), out, &error))
        FailWrite(out, error, language);
    PrintError(Text(CliText::Written, language).arg(QDir::toNativeSeparators(out)));
    return kExitOk;
}

// --- lists ------------------------------------------------------------------------------

std::vector<QCommandLineOption> ListsOptions(Language language) {
    return {{kJson, Text(CliText::JsonOption, language)}};
}

double Coefficient(float value) {
    return QString::number(static_cast<double>(value), 'g', kFloatDigits).toDouble();
}

QString ListsJson(const MaterialEntries& materials, const ObjectEntries& objects,
                  const NameTable& materialNames) {
    QJsonArray materialArray;
    for (std::size_t e = 0; e < materials.size(); ++e)
        materialArray.append(QJsonObject{{QStringLiteral("number"), static_cast<int>(e + 1)},
                                         {QStringLiteral("ru"), materials[e].russian},
                                         {QStringLiteral("en"), materials[e].english},
                                         {QStringLiteral("a0"), Coefficient(materials[e].a0)},
                                         {QStringLiteral("a1"), Coefficient(materials[e].a1)},
                                         {QStringLiteral("valid"), materials[e].valid}});
    QJsonArray objectArray;
    for (std::size_t e = 0; e < objects.size(); ++e) {
        const int material = objects[e].material;
        const QJsonObject materialOf{
            {QStringLiteral("number"), material + 1},
            {QStringLiteral("ru"), materialNames.Name(material, Language::Russian)},
            {QStringLiteral("en"), materialNames.Name(material, Language::English)}};
        objectArray.append(QJsonObject{{QStringLiteral("number"), static_cast<int>(e + 1)},
                                       {QStringLiteral("ru"), objects[e].russian},
                                       {QStringLiteral("en"), objects[e].english},
                                       {QStringLiteral("material"), materialOf},
                                       {QStringLiteral("valid"), objects[e].valid}});
    }
    const QJsonObject root{{QStringLiteral("materials"), materialArray},
                           {QStringLiteral("objects"), objectArray}};
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact)) +
           QLatin1Char('\n');
}

QString ListsText(const MaterialEntries& materials, const ObjectEntries& objects,
                  const NameTable& materialNames, Language language) {
    const QString tab = QStringLiteral("\t");
    const QString ru = Text(CliText::RussianName, language);
    const QString en = Text(CliText::EnglishName, language);
    const QString number = QStringLiteral("№");
    QString text =
        Text(CliText::MaterialsHeading, language) + QLatin1Char('\n') +
        QStringList{number, ru, en, QStringLiteral("a0"), QStringLiteral("a1")}.join(tab) +
        QLatin1Char('\n');
    for (std::size_t e = 0; e < materials.size(); ++e)
        text += QStringList{QString::number(e + 1), materials[e].russian, materials[e].english,
                            FormatScientific(materials[e].a0), FormatScientific(materials[e].a1)}
                    .join(tab) +
                QLatin1Char('\n');
    text += QLatin1Char('\n') + Text(CliText::ObjectsHeading, language) + QLatin1Char('\n') +
            QStringList{number, ru, en, Text(CliText::MaterialColumn, language), ru, en}.join(tab) +
            QLatin1Char('\n');
    for (std::size_t e = 0; e < objects.size(); ++e) {
        const int material = objects[e].material;
        text += QStringList{QString::number(e + 1),
                            objects[e].russian,
                            objects[e].english,
                            QString::number(material + 1),
                            materialNames.Name(material, Language::Russian),
                            materialNames.Name(material, Language::English)}
                    .join(tab) +
                QLatin1Char('\n');
    }
    return text;
}

int RunLists(const CliContext& context) {
    const Language language = context.language;
    const std::chrono::milliseconds timeout = TimeoutOf(context);
    ExchangeSession session;
    CatchInterrupts(&session.exchange.cancel);
    // Reading the object list with the lists-needed flag set reads the material list first.
    FailIfAborted(RunDeviceExchange(session, Operation::ReadObjects, language, timeout), language,
                  timeout);
    FailIfInterrupted(language);
    const ExchangeState& state = session.exchange;
    const MaterialEntries materials = DecodeMaterials(state.materials);
    const ObjectEntries objects = DecodeObjects(state.objects);
    PrintOut(context.parser.isSet(kJson)
                 ? ListsJson(materials, objects, session.materials)
                 : ListsText(materials, objects, session.materials, language),
             language);
    // Damaged entries are listed as the editors show them, and the exit code tells of them.
    return WarnDamagedEntries(materials, objects, language) > 0 ? kExitLinkFault : kExitOk;
}

}  // namespace

CliCommand DownloadCommand() {
    return {QStringLiteral("download"),
            CliText::DownloadSummary,
            QStringLiteral("-o OUT.wpa [--append]"),
            {},
            DownloadOptions,
            RunDownload,
            true};
}

CliCommand ScreenshotCommand() {
    return {QStringLiteral("screenshot"),
            CliText::ScreenshotSummary,
            QStringLiteral("-o OUT.png|OUT.bmp [--ink COLOUR] [--background COLOUR]"),
            {},
            ScreenshotOptions,
            RunScreenshot,
            true};
}

CliCommand ListsCommand() {
    return {QStringLiteral("lists"),
            CliText::ListsSummary,
            QStringLiteral("[--json]"),
            {},
            ListsOptions,
            RunLists,
            true};
}

}  // namespace porvel::cli
