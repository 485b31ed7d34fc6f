#include "cli_tool.h"

#include <QCoreApplication>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "base/program_version.h"
#include "cli_files.h"
#include "console_exchange.h"
#include "device/libusb_binding.h"

namespace porvel::cli {
namespace {

const QString kToolName = QStringLiteral("porvel-cli");
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
const QString kLang = QStringLiteral("lang");
const QString kDemo = QStringLiteral("demo");

constexpr int kOptionColumn = 26;  // where descriptions start in the help

std::vector<QCommandLineOption> GlobalOptions(Language language) {
    return {
        {{QStringLiteral("h"), kHelp}, Text(CliText::HelpOption, language)},
        {kVersion, Text(CliText::VersionOption, language)},
        {kLang, Text(CliText::LangOption, language), QStringLiteral("ru|en")},
        {kDemo, Text(CliText::DemoOption, language)},
    };
}

QCommandLineOption TimeoutOption(Language language) {
    return {kTimeoutOption, Text(CliText::TimeoutOption, language).arg(kDefaultTimeoutSeconds),
            QStringLiteral("s")};
}

std::vector<QCommandLineOption> OptionsOf(const CliCommand& command, Language language) {
    std::vector<QCommandLineOption> options = command.options(language);
    if (command.usesInstrument) options.push_back(TimeoutOption(language));
    for (QCommandLineOption& option : GlobalOptions(language)) options.push_back(option);
    return options;
}

// "  -o, --output <OUT.wpa>   description", the description on a line of its own when the
// names are long.
QString OptionLines(const std::vector<QCommandLineOption>& options) {
    QString text;
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString left = QStringLiteral("  ") + names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty()) left += QStringLiteral(" <%1>").arg(option.valueName());
        if (left.size() >= kOptionColumn)
            left += QLatin1Char('\n') + QString(kOptionColumn, QLatin1Char(' '));
        else
            left = left.leftJustified(kOptionColumn);
        text += left + option.description() + QLatin1Char('\n');
    }
    return text;
}

QString ExitCodeLines(Language language) {
    struct Code {
        int code;
        CliText text;
    };
    static constexpr Code kCodes[] = {
        {kExitOk, CliText::Exit0},           {kExitOutOfMemory, CliText::Exit1},
        {kExitUsage, CliText::Exit2},        {kExitNoInstrument, CliText::Exit3},
        {kExitLinkFault, CliText::Exit4},    {kExitCannotRead, CliText::Exit5},
        {kExitCannotWrite, CliText::Exit6},  {kExitNothingToWrite, CliText::Exit7},
        {kExitInterrupted, CliText::Exit130}};
    QString text = Text(CliText::ExitCodesHeading, language) + QLatin1Char('\n');
    for (const Code& code : kCodes)
        text += QStringLiteral("  %1").arg(code.code, -5) + Text(code.text, language) +
                QLatin1Char('\n');
    return text;
}

QString ToolHelp(Language language) {
    QString text = Text(CliText::ToolSummary, language) + QStringLiteral("\n\n") +
                   Text(CliText::ToolUsage, language) + QStringLiteral("\n\n") +
                   Text(CliText::CommandsHeading, language) + QLatin1Char('\n');
    for (const CliCommand& command : Commands())
        text += QStringLiteral("  %1 %2\n      %3\n")
                    .arg(command.name, command.synopsis, Text(command.summary, language));
    text += QLatin1Char('\n') + Text(CliText::GlobalOptionsHeading, language) + QLatin1Char('\n') +
            OptionLines(GlobalOptions(language)) + QLatin1Char('\n') +
            Text(CliText::CommandHelpHint, language) + QStringLiteral("\n\n") +
            ExitCodeLines(language);
    return text;
}

QString CommandHelp(const CliCommand& command, Language language) {
    QString text =
        QStringLiteral("%1 %2 %3\n  %4\n\n")
            .arg(kToolName, command.name, command.synopsis, Text(command.summary, language));
    if (!command.arguments.empty()) {
        for (const CliArgument& argument : command.arguments)
            text += QStringLiteral("  %1").arg(argument.name).leftJustified(kOptionColumn) +
                    Text(argument.description, language) + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    text += Text(CliText::GlobalOptionsHeading, language) + QLatin1Char('\n') +
            OptionLines(OptionsOf(command, language)) + QLatin1Char('\n') + ExitCodeLines(language);
    return text;
}

QString VersionText() {
    const VersionInfo& info = ProgramVersionInfo();
    return QStringLiteral("%1 %2\n%3\n")
        .arg(kToolName, VersionString(info, QStringLiteral("FileVersion")).value_or(QString()),
             VersionString(info, QStringLiteral("LegalCopyright")).value_or(QString()));
}

// The language of the texts, from --lang wherever it stands; Russian without it.
Language LanguageOf(const QStringList& arguments) {
    for (int i = 1; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == QStringLiteral("--lang") && i + 1 < arguments.size())
            value = arguments[i + 1];
        else if (arguments[i].startsWith(QStringLiteral("--lang=")))
            value = arguments[i].mid(7);
        else
            continue;
        if (value == QStringLiteral("en")) return Language::English;
        if (value == QStringLiteral("ru")) return Language::Russian;
        throw CliFailure{kExitUsage, Text(CliText::BadLanguage, Language::Russian).arg(value)};
    }
    return Language::Russian;
}

// Options of any command that take a value: the word after them is no command name.
QSet<QString> OptionsWithValues() {
    QSet<QString> names;
    for (const CliCommand& command : Commands())
        for (const QCommandLineOption& option : OptionsOf(command, Language::English))
            if (!option.valueName().isEmpty())
                for (const QString& name : option.names())
                    names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return names;
}

// The first word that is neither an option nor an option's value; empty when there is none.
QString CommandNameOf(const QStringList& arguments) {
    const QSet<QString> withValues = OptionsWithValues();
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (word == QStringLiteral("--")) return arguments.value(i + 1);
        if (word.startsWith(QLatin1Char('-')) && word.size() > 1) {
            if (withValues.contains(word)) ++i;
            continue;
        }
        return word;
    }
    return {};
}

const CliCommand* FindCommand(const QString& name) {
    for (const CliCommand& command : Commands())
        if (command.name == name) return &command;
    return nullptr;
}

// The parser's fault in one line. Qt names an unknown option without its dashes; here it stands
// as typed: a word after two dashes, a letter after one (a word after one dash is read as
// letters, each its own option).
QString ParseFault(const QCommandLineParser& parser, const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    auto parserText = [](const char* text) {
        return QCoreApplication::translate("QCommandLineParser", text);
    };
    const char* const text = unknown.size() == 1 ? "Unknown option '%1'." : "Unknown options: %1.";
    const QString separator = QStringLiteral(", ");
    // Any other fault of the parser comes before the unknown options.
    if (unknown.isEmpty() || parser.errorText() != parserText(text).arg(unknown.join(separator)))
        return parser.errorText();
    auto typedLong = [&arguments](const QString& dashed) {
        return std::any_of(arguments.begin(), arguments.end(), [&dashed](const QString& word) {
            return word == dashed || word.startsWith(dashed + QLatin1Char('='));
        });
    };
    QStringList typed;
    for (const QString& name : unknown) {
        const QString dashed = QStringLiteral("--") + name;
        typed << (name.size() > 1 || typedLong(dashed) ? dashed : QStringLiteral("-") + name);
    }
    return parserText(text).arg(typed.join(separator));
}

// The global options alone, for a command line without a command.
int RunWithoutCommand(const QStringList& arguments, Language language) {
    QCommandLineParser parser;
    for (const QCommandLineOption& option : GlobalOptions(language)) parser.addOption(option);
    if (!parser.parse(arguments)) throw CliFailure{kExitUsage, ParseFault(parser, arguments)};
    if (parser.isSet(kHelp)) {
        PrintOut(ToolHelp(language), language);
        return kExitOk;
    }
    if (parser.isSet(kVersion)) {
        PrintOut(VersionText(), language);
        return kExitOk;
    }
    throw CliFailure{kExitUsage, Text(CliText::NoCommand, language)};
}

int RunCommand(const CliCommand& command, const QStringList& arguments, Language language) {
    QCommandLineParser parser;
    for (const QCommandLineOption& option : OptionsOf(command, language)) parser.addOption(option);
    if (!parser.parse(arguments)) throw CliFailure{kExitUsage, ParseFault(parser, arguments)};
    if (parser.isSet(kHelp)) {
        PrintOut(CommandHelp(command, language), language);
        return kExitOk;
    }
    if (parser.isSet(kVersion)) {
        PrintOut(VersionText(), language);
        return kExitOk;
    }
    QStringList positional = parser.positionalArguments();
    positional.removeFirst();  // the command's name
    const auto expected = static_cast<qsizetype>(command.arguments.size());
    if (positional.size() < expected)
        throw CliFailure{kExitUsage,
                         Text(CliText::MissingArgument, language)
                             .arg(command.name, command.arguments[positional.size()].name)};
    if (positional.size() > expected)
        throw CliFailure{kExitUsage, Text(CliText::ExtraArguments, language)
                                         .arg(command.name, positional.mid(expected).join(' '))};
    if (parser.isSet(kDemo) && !UseBundledSimulator())
        throw CliFailure{kExitNoInstrument,
                         Text(CliText::NoSimulator, language).arg(BundledSimulatorPath())};
    return command.run(CliContext{language, parser, positional});
}

}  // namespace

QString CliContext::Required(const QString& option, const QString& name) const {
    const QString value = parser.value(option);
    if (value.isEmpty()) {
        const QString command = parser.positionalArguments().value(0);
        throw CliFailure{kExitUsage, Text(CliText::MissingArgument, language).arg(command, name)};
    }
    return value;
}

const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> commands = {
        DownloadCommand(), InfoCommand(),       ExportCommand(),
        PrintCommand(),    ScreenshotCommand(), ListsCommand(),
    };
    return commands;
}

int RunTool(const QStringList& arguments) {
    Language language = Language::Russian;
    std::unique_ptr<ParserTranslator> translator;
    try {
        language = LanguageOf(arguments);
        if (language == Language::Russian) {
            translator = std::make_unique<ParserTranslator>();
            QCoreApplication::installTranslator(translator.get());
        }
        const QString name = CommandNameOf(arguments);
        if (name.isEmpty()) return RunWithoutCommand(arguments, language);
        const CliCommand* command = FindCommand(name);
        if (!command)
            throw CliFailure{kExitUsage, Text(CliText::UnknownCommand, language).arg(name)};
        return RunCommand(*command, arguments, language);
    } catch (const CliFailure& failure) {
        FinishProgressLine();
        PrintError(failure.message);
        return failure.code;
    } catch (const std::bad_alloc&) {
        FinishProgressLine();
        PrintError(Text(CliText::Exit1, language));
        return kExitOutOfMemory;
    }
}

void PrintOut(const QString& text, Language language) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    // Output into a full disk or a closed pipe is a failure, not a result.
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        throw CliFailure{kExitCannotWrite,
                         Text(CliText::CannotWrite, language)
                             .arg(QStringLiteral("stdout"),
                                  SystemReason(QString::fromLocal8Bit(std::strerror(errno)),
                                               FileOperation::Save, language))};
}

void PrintError(const QString& line) {
    const QByteArray bytes = (kToolName + QStringLiteral(": ") + line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

}  // namespace porvel::cli
