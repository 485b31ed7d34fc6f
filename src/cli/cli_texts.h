// The texts of the command-line tool in Russian and English: its help, its messages and the
// headings of what it prints; and the Russian words of Qt's command-line parser.
#pragma once

#include <QString>
#include <QTranslator>

#include "base/language.h"

namespace porvel::cli {

enum class CliText {
    // help of the tool
    ToolSummary,
    ToolUsage,
    CommandsHeading,
    GlobalOptionsHeading,
    CommandHelpHint,
    ExitCodesHeading,
    Exit0,
    Exit1,
    Exit2,
    Exit3,
    Exit4,
    Exit5,
    Exit6,
    Exit7,
    Exit130,
    // options and arguments
    HelpOption,
    VersionOption,
    LangOption,
    DemoOption,
    TimeoutOption,
    DownloadOutOption,
    AppendOption,
    KeepPartialOption,
    JsonOption,
    CurvesOption,
    ScreenOutOption,
    InkOption,
    BackgroundOption,
    RecordOption,
    RowsOption,
    SummaryOption,
    InArchiveArgument,
    WorkbookArgument,
    PdfArgument,
    // commands
    DownloadSummary,
    InfoSummary,
    ExportSummary,
    PrintSummary,
    ScreenshotSummary,
    ListsSummary,
    // argument faults
    NoCommand,
    UnknownCommand,
    BadLanguage,
    MissingArgument,
    ExtraArguments,
    BadTimeout,
    BadExtension,
    BadColour,
    BadRows,
    ReversedRange,
    RepeatedRow,
    RepeatedRows,
    NoCurve,
    // the instrument
    NoSimulator,
    NoLibrary,
    NoInstrument,
    Stalled,
    ReadFailed,
    ReadPartial,
    NothingWritten,
    NoMeasurements,
    Interrupted,
    DamagedEntry,
    MaterialWord,
    ObjectWord,
    RecordCounter,
    // files
    CannotWrite,
    IsFolder,
    NoFolder,
    NotWritable,
    NotReadable,
    NoSuchFile,
    DiskFull,
    ReadOnlyDisk,
    CurvesFull,
    EmptyArchive,
    Downloaded,
    NothingNew,
    Written,
    // headings of printed tables
    MaterialsHeading,
    ObjectsHeading,
    RussianName,
    EnglishName,
    MaterialColumn,
    TimeColumn,
    PressureColumn,
    kCount
};

QString Text(CliText text, Language language);

// The words of QCommandLineParser (usage line, headings, its errors) in Russian. Installed for
// --lang ru; English needs none.
class ParserTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};

}  // namespace porvel::cli
