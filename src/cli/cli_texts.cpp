#include "cli_texts.h"

#include <array>
#include <cstring>

namespace porvel::cli {
namespace {

constexpr std::array<KeyedText<CliText>, static_cast<std::size_t>(CliText::kCount)> kTexts = {{
    // help of the tool
    {CliText::ToolSummary,
     {u"Porvel без окна: архив прибора в файл, файлы архива, экспорт, снимок экрана, списки.",
      u"Porvel without a window: the instrument's archive to a file, archive files, export, "
      u"screenshot, lists."}},
    {CliText::ToolUsage,
     {u"Использование: porvel-cli [параметры] КОМАНДА [параметры команды] [аргументы]",
      u"Usage: porvel-cli [options] COMMAND [command options] [arguments]"}},
    {CliText::CommandsHeading, {u"Команды:", u"Commands:"}},
    {CliText::GlobalOptionsHeading, {u"Параметры:", u"Options:"}},
    {CliText::CommandHelpHint,
     {u"Справка по команде: porvel-cli КОМАНДА --help",
      u"Help on a command: porvel-cli COMMAND --help"}},
    {CliText::ExitCodesHeading, {u"Коды завершения:", u"Exit codes:"}},
    {CliText::Exit0, {u"готово", u"done"}},
    {CliText::Exit1, {u"не хватило памяти", u"out of memory"}},
    {CliText::Exit2,
     {u"неверные аргументы: команда, параметр, расширение, цвет",
      u"bad arguments: command, option, extension, colour"}},
    {CliText::Exit3,
     {u"прибор не найден за время ожидания или нет библиотеки USB",
      u"no instrument within the timeout, or no USB library"}},
    {CliText::Exit4,
     {u"ошибка связи с прибором или его данные не прошли проверку",
      u"link error, or the instrument's data failed its check"}},
    {CliText::Exit5,
     {u"файл архива не читается или не является архивом",
      u"the archive file cannot be read or is no archive"}},
    {CliText::Exit6, {u"файл результата нельзя записать", u"the output file cannot be written"}},
    {CliText::Exit7,
     {u"нечего записать: в приборе или в архиве нет измерений",
      u"nothing to write: the instrument or the archive holds no measurements"}},
    {CliText::Exit130,
     {u"прервано (Ctrl+C): прибор закрыт, ничего не записано",
      u"interrupted (Ctrl+C): the instrument is closed, nothing written"}},
    // options and arguments
    {CliText::HelpOption,
     {u"Справка (по команде, если она указана).", u"Help (on the command, when one is given)."}},
    {CliText::VersionOption, {u"Версия программы.", u"The program's version."}},
    {CliText::LangOption,
     {u"Язык текстов: ru (по умолчанию) или en.",
      u"Language of the texts: ru (the default) or en."}},
    {CliText::DemoOption,
     {u"Встроенная модель прибора вместо настоящего.",
      u"The bundled simulated instrument instead of a real one."}},
    {CliText::TimeoutOption,
     {u"Сколько секунд ждать прибор (по умолчанию %1).",
      u"Seconds to wait for the instrument (default %1)."}},
    {CliText::DownloadOutOption,
     {u"Файл архива (.wpa), в который записать архив прибора.",
      u"The archive file (.wpa) to write the instrument's archive to."}},
    {CliText::AppendOption,
     {u"Дописать в существующий архив только новые измерения.",
      u"Add only the new measurements to an existing archive."}},
    {CliText::KeepPartialOption,
     {u"Записать и то, что пришло, если архив прочитан не полностью (код завершения всё равно 4).",
      u"Write what arrived when the archive was read only in part (the exit code is 4 still)."}},
    {CliText::JsonOption, {u"Вывод в JSON.", u"Output as JSON."}},
    {CliText::CurvesOption,
     {u"С кривой давления каждой строки (кПа по времени).",
      u"With each row's pressure curve (kPa over time)."}},
    {CliText::ScreenOutOption,
     {u"Файл снимка: .png или .bmp.", u"The picture file: .png or .bmp."}},
    {CliText::InkOption,
     {u"Цвет надписи (имя или #rrggbb, по умолчанию black).",
      u"Ink colour (a name or #rrggbb, default black)."}},
    {CliText::BackgroundOption,
     {u"Цвет фона (по умолчанию white).", u"Background colour (default white)."}},
    {CliText::RecordOption,
     {u"Протокол испытаний этих строк таблицы вместо списка, по порядку: 3,5,9 или 2-4 "
      u"(строка 1 — первое измерение).",
      u"The test record of these table rows instead of the listing, in this order: 3,5,9 or "
      u"2-4 (row 1 is the first measurement)."}},
    {CliText::RowsOption,
     {u"Только эти строки таблицы: 3,5,9 или 2-4 (строка 1 — первое измерение).",
      u"Only these table rows: 3,5,9 or 2-4 (row 1 is the first measurement)."}},
    {CliText::SummaryOption,
     {u"Сводка строк вместо таблицы: число, m ср., мин. и макс., коэффициент вариации, a ср. и "
      u"марка по средней m.",
      u"A summary of the rows instead of the table: count, mean, least and greatest m, "
      u"coefficient of variation, mean a and the grade of the mean m."}},
    {CliText::InArchiveArgument, {u"Файл архива (.wpa).", u"The archive file (.wpa)."}},
    {CliText::WorkbookArgument,
     {u"Файл таблицы: .xlsx, .xls или .csv.", u"The spreadsheet file: .xlsx, .xls or .csv."}},
    {CliText::PdfArgument, {u"Файл PDF.", u"The PDF file."}},
    // commands
    {CliText::DownloadSummary,
     {u"считать архив прибора в файл архива",
      u"read the instrument's archive into an archive file"}},
    {CliText::InfoSummary,
     {u"показать таблицу файла архива", u"show the table of an archive file"}},
    {CliText::ExportSummary,
     {u"экспортировать таблицу в .xlsx, .xls или .csv",
      u"export the table to .xlsx, .xls or .csv"}},
    {CliText::PrintSummary,
     {u"напечатать в PDF список архива или протокол испытаний",
      u"print the archive listing or the test record to PDF"}},
    {CliText::ScreenshotSummary,
     {u"снимок экрана прибора, 102 × 68", u"the instrument's display as a picture, 102 x 68"}},
    {CliText::ListsSummary,
     {u"списки объектов и материалов прибора", u"the instrument's object and material lists"}},
    // argument faults
    {CliText::NoCommand,
     {u"не указана команда; список команд: porvel-cli --help",
      u"no command given; the commands: porvel-cli --help"}},
    {CliText::UnknownCommand,
     {u"неизвестная команда «%1»; список команд: porvel-cli --help",
      u"unknown command \"%1\"; the commands: porvel-cli --help"}},
    {CliText::BadLanguage,
     {u"--lang: язык «%1» не поддерживается, только ru или en",
      u"--lang: language \"%1\" is not supported, only ru or en"}},
    {CliText::MissingArgument, {u"%1: не указан %2", u"%1: %2 is missing"}},
    {CliText::ExtraArguments, {u"%1: лишние аргументы: %2", u"%1: unexpected arguments: %2"}},
    {CliText::BadTimeout,
     {u"--timeout: нужно число секунд больше 0, а не «%1»",
      u"--timeout needs a number of seconds above 0, not \"%1\""}},
    {CliText::BadExtension,
     {u"%1: неизвестное расширение; допустимы %2", u"%1: unknown extension; use %2"}},
    {CliText::BadColour, {u"%1: неизвестный цвет «%2»", u"%1: unknown colour \"%2\""}},
    // %1 is the option as given: --rows or --record.
    {CliText::BadRows,
     {u"%1: «%2» — не номер строки от 1 до %3", u"%1: \"%2\" is not a row number from 1 to %3"}},
    {CliText::ReversedRange,
     {u"%1: «%2» — диапазон задан в обратном порядке; меньший номер пишется первым",
      u"%1: \"%2\" is a reversed range; the smaller number comes first"}},
    {CliText::RepeatedRow,
     {u"--rows: строка %1 указана повторно; учтена один раз",
      u"--rows: row %1 is given more than once; counted once"}},
    {CliText::RepeatedRows,
     {u"--rows: строки %1 указаны повторно; каждая учтена один раз",
      u"--rows: rows %1 are given more than once; each counted once"}},
    {CliText::NoCurve,
     {u"--record: у строки %1 нет кривой давления", u"--record: row %1 has no pressure curve"}},
    // the instrument
    {CliText::NoSimulator, {u"нет модели прибора %1", u"the simulated instrument %1 is missing"}},
    {CliText::NoLibrary,
     {u"не удалось загрузить библиотеку USB %1", u"the USB library %1 cannot be loaded"}},
    {CliText::NoInstrument,
     {u"прибор не найден за %1 с: проверьте подключение",
      u"no instrument found within %1 s: check the connection"}},
    {CliText::Stalled,
     {u"обмен с прибором стоит %1 с: %2", u"the exchange has made no progress for %1 s: %2"}},
    {CliText::ReadFailed,
     {u"чтение прервалось на измерении %1 из %2: %3; ничего не записано",
      u"the read failed at measurement %1 of %2: %3; nothing written"}},
    {CliText::ReadPartial,
     {u"архив прочитан не полностью: %1 из %2 измерений. %3",
      u"the archive was read only in part: %1 of %2 measurements. %3"}},
    {CliText::NothingWritten, {u"ничего не записано", u"nothing written"}},
    {CliText::NoMeasurements,
     {u"в приборе нет измерений; ничего не записано",
      u"the instrument holds no measurements; nothing written"}},
    {CliText::Interrupted,
     {u"прервано: прибор закрыт, ничего не записано",
      u"interrupted: the instrument is closed, nothing written"}},
    {CliText::DamagedEntry,
     {u"%1 %2 повреждён: ошибка контрольной суммы", u"%1 %2 is damaged: CRC16 error"}},
    {CliText::MaterialWord, {u"материал", u"material"}},
    {CliText::ObjectWord, {u"объект", u"object"}},
    {CliText::RecordCounter, {u"измерение %1 из %2", u"measurement %1 of %2"}},
    // files
    {CliText::CannotWrite, {u"%1 нельзя записать: %2", u"%1 cannot be written: %2"}},
    {CliText::IsFolder, {u"это папка", u"it is a folder"}},
    {CliText::NoFolder, {u"нет папки %1", u"the folder %1 does not exist"}},
    {CliText::NotWritable, {u"нет права записи", u"permission denied"}},
    // The common reasons the system gives for a failed read or write.
    {CliText::NotReadable, {u"нет права чтения", u"permission denied"}},
    {CliText::NoSuchFile, {u"нет такого файла или папки", u"No such file or directory"}},
    {CliText::DiskFull, {u"на диске нет места", u"No space left on device"}},
    {CliText::ReadOnlyDisk, {u"диск доступен только для чтения", u"Read-only file system"}},
    {CliText::CurvesFull,
     {u"%1: для кривых %2 новых измерений нет места (предел 1 ГиБ); ничего не записано",
      u"%1: no room for the curves of %2 new measurements (the limit is 1 GiB); nothing written"}},
    {CliText::EmptyArchive, {u"%1: в архиве нет измерений", u"%1 holds no measurements"}},
    {CliText::Downloaded, {u"%1: измерений %2, новых %3", u"%1: %2 measurements, %3 new"}},
    {CliText::NothingNew,
     {u"%1: новых измерений нет, файл не изменён",
      u"%1: no new measurements, the file is unchanged"}},
    {CliText::Written, {u"%1 записан", u"%1 written"}},
    // headings of printed tables
    {CliText::MaterialsHeading, {u"Материалы", u"Materials"}},
    {CliText::ObjectsHeading, {u"Объекты", u"Objects"}},
    {CliText::RussianName, {u"Название (рус.)", u"Name (Russian)"}},
    {CliText::EnglishName, {u"Название (англ.)", u"Name (English)"}},
    {CliText::MaterialColumn, {u"Материал", u"Material"}},
    {CliText::TimeColumn, {u"t, с", u"t, s"}},
    {CliText::PressureColumn, {u"P, кПа", u"P, kPa"}},
}};
static_assert(KeysInOrder(kTexts, CliText::kCount));

// Qt's own texts of the parser, context "QCommandLineParser", and their Russian wording.
struct ParserWord {
    const char* source;
    const char16_t* russian;
};
constexpr ParserWord kParserWords[] = {
    {"Usage: %1", u"Использование: %1"},
    {"[options]", u"[параметры]"},
    {"Options:", u"Параметры:"},
    {"Arguments:", u"Аргументы:"},
    {"Unknown option '%1'.", u"неизвестный параметр «%1»"},
    {"Unknown options: %1.", u"неизвестные параметры: %1"},
    {"Missing value after '%1'.", u"нет значения после «%1»"},
    {"Unexpected value after '%1'.", u"лишнее значение после «%1»"},
};

}  // namespace

QString Text(CliText text, Language language) {
    return TextOf(kTexts, text, language);
}

QString ParserTranslator::translate(const char* context, const char* sourceText,
                                    const char* /*disambiguation*/, int /*n*/) const {
    if (!context || !sourceText || std::strcmp(context, "QCommandLineParser") != 0) return {};
    for (const ParserWord& word : kParserWords)
        if (std::strcmp(word.source, sourceText) == 0) return QString::fromUtf16(word.russian);
    return {};
}

}  // namespace porvel::cli
