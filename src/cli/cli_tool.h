// porvel-cli: the program's core without a window. One table of commands, each with its options,
// its arguments, its help and its run; the tool parses the command line, runs the command and
// turns a failure into one line on stderr and a documented exit code.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <vector>

#include "base/language.h"
#include "cli_texts.h"

namespace porvel::cli {

// The tool's exit codes; the help, the man page and the README list them.
enum ExitCode : int {
    kExitOk = 0,
    kExitOutOfMemory = 1,
    kExitUsage = 2,
    kExitNoInstrument = 3,
    kExitLinkFault = 4,
    kExitCannotRead = 5,
    kExitCannotWrite = 6,
    kExitNothingToWrite = 7,
    kExitInterrupted = 130,  // 128 + SIGINT, as shells report a program ended by Ctrl+C
};

// A command that cannot go on: the one line that says what and why, and the exit code.
struct CliFailure {
    int code;
    QString message;
};

// What a command runs with: the language of its texts, the parsed command line and the
// positional arguments after the command's name (as many as the command names).
struct CliContext {
    Language language;
    const QCommandLineParser& parser;
    QStringList arguments;

    // The value of an option that must be given (such as -o), `name` naming it in the message.
    QString Required(const QString& option, const QString& name) const;
};

struct CliArgument {
    QString name;  // as the help shows it: IN.wpa
    CliText description;
};

struct CliCommand {
    QString name;
    CliText summary;   // one line in the tool's help
    QString synopsis;  // its options and arguments as the usage line shows them
    std::vector<CliArgument> arguments;
    // The command's own options, described in `language`.
    std::vector<QCommandLineOption> (*options)(Language language);
    int (*run)(const CliContext& context);
    bool usesInstrument;  // takes --timeout
};

// The commands of the tool, in the order its help lists them.
const std::vector<CliCommand>& Commands();

// Each command, defined beside its work.
CliCommand DownloadCommand();
CliCommand ScreenshotCommand();
CliCommand ListsCommand();
CliCommand InfoCommand();
CliCommand ExportCommand();
CliCommand PrintCommand();

// Runs the tool on its arguments (the program's name first); the exit code.
int RunTool(const QStringList& arguments);

// Text to stdout as UTF-8, a failure to write it told in `language`; one line
// "porvel-cli: line" to stderr.
void PrintOut(const QString& text, Language language);
void PrintError(const QString& line);

// The option every command that talks to the instrument takes.
inline const QString kTimeoutOption = QStringLiteral("timeout");
// The option of the commands that can print JSON (info, lists).
inline const QString kJson = QStringLiteral("json");

}  // namespace porvel::cli
