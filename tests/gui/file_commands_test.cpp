// The file commands with their questions, messages and caption, the dialogs answered by the
// test: New, Open, Save, Save As and the save prompt over a real table, store and folder.
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "../archive_samples.h"
#include "../file_system_faults.h"
#include "app/file_commands.h"
#include "archive/archive_file.h"
#include "device/exchange_types.h"
#include "modal_answers.h"

using namespace porvel;
using namespace porvel::testing;
using Button = QMessageBox::StandardButton;

namespace {

// Stands for the user in the file dialogs: each answer is a path, or empty for Cancel.
class AnsweringDialogs : public ArchiveDialogs {
public:
    QString AskOpenPath() override { return Next(openAnswers); }
    QString AskSavePath() override {
        ++saveAsked;
        return Next(saveAnswers);
    }
    QStringList openAnswers;
    QStringList saveAnswers;
    int saveAsked = 0;

private:
    static QString Next(QStringList& answers) {
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

struct Desk {
    Desk() : commands(table, curves, state, window, [this] { return language; }) {
        commands.SetProgramFolder(dir.path());
        commands.SetDialogs(&dialogs);
    }
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    // As an archive read from the instrument leaves the table.
    void Read(int rows) { FillArchive(table, curves, rows); }
    // As Delete leaves the file state.
    void Delete() { state.named = state.modified = true; }
    void Name(const QString& fileName) { state = FileState{dir.path(), fileName, true, true}; }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files); }
    QString Caption() const { return window.windowTitle(); }
    // The data rows of the archive in `path`, empty when it does not read.
    QStringList RowsIn(const QString& path) const {
        ArchiveTable back;
        CurveStore backCurves;
        if (!ReadArchiveFile(path, back, backCurves).Ok()) return {};
        return CellsOf(back).mid(ArchiveTable::kColumns);
    }
    QStringList Rows() const { return CellsOf(table).mid(ArchiveTable::kColumns); }

    QTemporaryDir dir;
    ArchiveTable table;
    CurveStore curves;
    FileState state;
    QWidget window;
    AnsweringDialogs dialogs;
    Language language = Language::Russian;  // the main window's
    FileCommands commands;
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void newNamesTheNextFreeArchiveAndEmptiesTheTable();
    void saveAndSaveAs();
    void anEmptyTableIsNotSaved();
    void openTakesTheFileAndItsRecordCount();
    void aCancelledOrRefusedOpenChangesNothing();
    void thePromptAsksOnlyAboutChangesAndBeforeReplacing();
    void aFailedSaveKeepsTheOldFileAndTheChanges();
    void aFailedSaveInThePromptKeepsTheTable();
    void noFileChosenInThePromptKeepsTheTable();
    void commandLineArgumentsAreJoinedByBlanks();
};

void FileCommandsTest::newNamesTheNextFreeArchiveAndEmptiesTheTable() {
    Desk desk;
    WriteBytes(desk.Path(QStringLiteral("Arhive 0.wpa")), "x");
    WriteBytes(desk.Path(QStringLiteral("Arhive 1.wpa")), "x");
    ModalScript boxes;
    desk.commands.NewArchive();  // an empty table: no prompt, and its rows stay
    QCOMPARE(desk.Caption(), QStringLiteral("Porvel - Arhive 2.wpa*"));
    QCOMPARE(desk.state.folder, desk.dir.path());
    QCOMPARE(desk.table.GridRowCount(), ArchiveTable::kStartRows);

    desk.Read(3);
    desk.state.modified = false;
    desk.commands.NewArchive();
    QCOMPARE(desk.table.GridRowCount(), 2);
    QVERIFY(desk.table.IsEmpty() && desk.table.Cell(column::kSlot, 1).isEmpty());
    QCOMPARE(WordsIn(desk.curves, 2, 6), CurveOf(13, 6));                // the store is not touched
    QCOMPARE(desk.Caption(), QStringLiteral("Porvel - Arhive 2.wpa*"));  // never written: free
    QVERIFY(boxes.seen.isEmpty());
}

void FileCommandsTest::saveAndSaveAs() {
    Desk desk;
    desk.Read(2);
    desk.commands.SaveArchive();  // read from the instrument, never New: nothing to do
    QVERIFY(desk.Files().isEmpty());
    QCOMPARE(desk.dialogs.saveAsked, 0);

    desk.dialogs.saveAnswers << desk.Path(QStringLiteral("first.wpa"))
                             << desk.Path(QStringLiteral("second.wpa"));
    desk.commands.SaveArchiveAs();
    QCOMPARE(desk.Caption(), QStringLiteral("Porvel - first.wpa"));
    QVERIFY(desk.state.named && !desk.state.modified);
    desk.Delete();
    desk.commands.SaveArchiveAs();  // a named archive: a copy, its own name and flags stay
    QCOMPARE(desk.Files(), (QStringList{"first.wpa", "second.wpa"}));
    QCOMPARE(desk.RowsIn(desk.Path(QStringLiteral("second.wpa"))), desk.Rows());
    QCOMPARE(desk.state.fileName, QStringLiteral("first.wpa"));
    QVERIFY(desk.state.modified);
    QCOMPARE(desk.Caption(), QStringLiteral("Porvel - first.wpa"));
    desk.commands.SaveArchive();
    QCOMPARE(desk.RowsIn(desk.Path(QStringLiteral("first.wpa"))), desk.Rows());
    QVERIFY(!desk.state.modified);

    // Delete on an archive never named sets the flag but gives no name: Save asks for one.
    Desk unnamed;
    unnamed.Read(1);
    unnamed.Delete();
    unnamed.dialogs.saveAnswers << unnamed.Path(QStringLiteral("named now.wpa"));
    unnamed.commands.SaveArchive();
    QCOMPARE(unnamed.Files(), QStringList{QStringLiteral("named now.wpa")});
    QCOMPARE(unnamed.Caption(), QStringLiteral("Porvel - named now.wpa"));
    QVERIFY(!unnamed.state.modified);
}

void FileCommandsTest::anEmptyTableIsNotSaved() {
    Desk desk;
    desk.commands.NewArchive();
    desk.dialogs.saveAnswers << desk.Path(QStringLiteral("a.wpa"));
    ModalScript boxes;
    desk.commands.SaveArchive();
    desk.commands.SaveArchiveAs();
    QCOMPARE(boxes.seen.size(), 2);
    for (const ModalScript::Box& box : boxes.seen) {
        QCOMPARE(box.text, QStringLiteral("Архив не считан!"));
        QCOMPARE(box.title, QStringLiteral("Ошибка"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QVERIFY(desk.Files().isEmpty());
    QVERIFY(desk.state.modified);
}

void FileCommandsTest::openTakesTheFileAndItsRecordCount() {
    Desk desk;
    ArchiveTable other;
    CurveStore otherCurves;
    FillArchive(other, otherCurves, 3);
    QVERIFY(QDir(desk.dir.path()).mkdir(QStringLiteral("kept")));
    const QString path = desk.Path(QStringLiteral("kept/Объект 5.wpa"));
    QVERIFY(WriteArchiveFile(other, otherCurves, path).Ok());
    desk.commands.NewArchive();

    desk.dialogs.openAnswers << path;
    ModalScript boxes;
    desk.commands.OpenArchive();  // no save prompt before Open
    QVERIFY(boxes.seen.isEmpty());
    QCOMPARE(desk.Rows(), CellsOf(other).mid(ArchiveTable::kColumns));
    QCOMPARE(desk.state.folder, desk.Path(QStringLiteral("kept")));
    QCOMPARE(desk.Caption(), QStringLiteral("Porvel - Объект 5.wpa"));
    // Nothing changed since: Save leaves the file alone (a save would make a new one).
    const auto inode = [&] {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
    };
    const auto before = inode();
    desk.commands.SaveArchive();
    QCOMPARE(inode(), before);
}

void FileCommandsTest::aCancelledOrRefusedOpenChangesNothing() {
    Desk desk;
    desk.Read(2);
    desk.Name(QStringLiteral("mine.wpa"));
    desk.window.setWindowTitle(QStringLiteral("Porvel - mine.wpa*"));
    const QStringList rows = desk.Rows();
    QVERIFY(WriteArchiveFile(desk.table, desk.curves, desk.Path(QStringLiteral("a.wpa"))).Ok());
    const QByteArray sound = ReadAll(desk.Path(QStringLiteral("a.wpa")));
    WriteBytes(desk.Path(QStringLiteral("cut.wpa")), sound.left(sound.size() - 2));
    desk.dialogs.openAnswers << QString() << desk.Path(QStringLiteral("cut.wpa"))
                             << desk.Path(QStringLiteral("missing.wpa"));

    // Each Open asks about the unsaved table first; No goes on to the dialog.
    ModalScript boxes({QMessageBox::No, QMessageBox::No, QMessageBox::Ok, QMessageBox::No});
    for (int i = 0; i < 3; ++i) desk.commands.OpenArchive();
    QCOMPARE(boxes.seen.size(), 5);  // the cancelled dialog says nothing
    QCOMPARE(boxes.seen[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    boxes.seen.removeAt(3);
    boxes.seen.removeAt(1);
    boxes.seen.removeAt(0);
    QCOMPARE(boxes.seen[0].text,
             QStringLiteral("Файл %1 не является архивом Porvel или повреждён")
                 .arg(QDir::toNativeSeparators(desk.Path(QStringLiteral("cut.wpa")))));
    QCOMPARE(boxes.seen[1].text,
             QStringLiteral("Не удалось открыть файл %1: No such file or directory")
                 .arg(QDir::toNativeSeparators(desk.Path(QStringLiteral("missing.wpa")))));
    for (const ModalScript::Box& box : boxes.seen) {
        QCOMPARE(box.title, QStringLiteral("Ошибка"));
        QCOMPARE(box.icon, QMessageBox::Critical);
    }
    QCOMPARE(desk.Rows(), rows);
    QCOMPARE(desk.Caption(), QStringLiteral("Porvel - mine.wpa*"));
    QCOMPARE(desk.state.fileName, QStringLiteral("mine.wpa"));
    QVERIFY(desk.state.named && desk.state.modified);
}

void FileCommandsTest::thePromptAsksOnlyAboutChangesAndBeforeReplacing() {
    Desk desk;
    desk.Delete();  // modified, but the table is empty
    {
        ModalScript none;
        desk.commands.AskToSaveChanges();
        desk.Read(2);
        desk.state.modified = false;
        desk.commands.AskToSaveChanges();
        QVERIFY(none.seen.isEmpty());
    }
    desk.Name(QStringLiteral("Arhive 1.wpa"));
    const QString path = desk.Path(QStringLiteral("Arhive 1.wpa"));
    {
        // No and Cancel write nothing, No going on and Cancel stopping what asked; Yes writes a
        // file that is not there without asking.
        ModalScript boxes({Button::No, Button::Cancel, Button::Yes});
        QVERIFY(desk.commands.AskToSaveChanges());
        QVERIFY(!desk.commands.AskToSaveChanges());
        QVERIFY(desk.commands.AskToSaveChanges());
        QCOMPARE(boxes.seen.size(), 3);
        QCOMPARE(boxes.seen[0].text, QStringLiteral("Сохранить Arhive 1.wpa ?"));
        QCOMPARE(boxes.seen[0].title, QStringLiteral("Внимание"));
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Question);
        QCOMPARE(boxes.seen[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(desk.RowsIn(path), desk.Rows());
    }
    WriteBytes(path, "old");
    {
        // The file is there: a second question, whose No and Cancel both write nothing and stop
        // what asked, since the work the user wanted kept was not saved.
        ModalScript boxes(
            {Button::Yes, Button::No, Button::Yes, Button::Cancel, Button::Yes, Button::Yes});
        QVERIFY(!desk.commands.AskToSaveChanges());
        QCOMPARE(ReadAll(path), QByteArray("old"));
        QVERIFY(!desk.commands.AskToSaveChanges());
        QCOMPARE(ReadAll(path), QByteArray("old"));
        QVERIFY(desk.commands.AskToSaveChanges());
        QCOMPARE(boxes.seen.size(), 6);
        // The Russian second part begins with a Latin "c".
        QCOMPARE(boxes.seen[1].text,
                 QStringLiteral("Файл с таким именем Arhive 1.wpacуществует, Заменить его?"));
        QCOMPARE(boxes.seen[1].title, QStringLiteral("Внимание"));
        QCOMPARE(boxes.seen[1].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(desk.RowsIn(path), desk.Rows());
    }
    desk.language = Language::English;
    {
        ModalScript boxes({Button::Yes, Button::No});
        desk.commands.AskToSaveChanges();
        QCOMPARE(boxes.seen.value(1).text,
                 QStringLiteral("File with this nameArhive 1.wpaexists, Replace it?"));
        QCOMPARE(boxes.seen.value(1).title, QStringLiteral("Warning"));
    }
    // The prompt leaves the flags and the caption alone.
    QVERIFY(desk.state.modified);
    QVERIFY(desk.Caption().isEmpty());
}

void FileCommandsTest::aFailedSaveKeepsTheOldFileAndTheChanges() {
    Desk desk;
    desk.Read(1);
    desk.dialogs.saveAnswers << desk.Path(QStringLiteral("a.wpa"));
    desk.commands.SaveArchiveAs();
    const QByteArray old = ReadAll(desk.Path(QStringLiteral("a.wpa")));
    desk.Read(3);
    desk.Delete();
    desk.window.setWindowTitle(QStringLiteral("Porvel - a.wpa*"));

    ModalScript boxes;
    {
        const UnwritableFolder readOnly(desk.dir.path());
        QVERIFY(readOnly.Ok());
        desk.commands.SaveArchive();
    }
    {
        const FileSizeLimit full(old.size());
        QVERIFY(full.Ok());
        desk.commands.SaveArchive();
    }
    QCOMPARE(boxes.seen.size(), 2);
    const QString prefix = QStringLiteral("Не удалось сохранить файл %1: ")
                               .arg(QDir::toNativeSeparators(desk.Path(QStringLiteral("a.wpa"))));
    for (const ModalScript::Box& box : boxes.seen) {
        QVERIFY2(box.text.startsWith(prefix), qPrintable(box.text));
        QVERIFY(box.text.size() > prefix.size());  // the system's reason follows
        QCOMPARE(box.title, QStringLiteral("Ошибка"));
        QCOMPARE(box.icon, QMessageBox::Critical);
    }
    QCOMPARE(ReadAll(desk.Path(QStringLiteral("a.wpa"))), old);
    QCOMPARE(desk.Files(), QStringList{QStringLiteral("a.wpa")});
    QVERIFY(desk.state.modified);
    QCOMPARE(desk.Caption(), QStringLiteral("Porvel - a.wpa*"));
}

void FileCommandsTest::aFailedSaveInThePromptKeepsTheTable() {
    Desk desk;
    desk.Read(3);
    desk.Name(QStringLiteral("a.wpa"));
    const QStringList rows = desk.Rows();
    {
        ModalScript boxes({Button::Yes, Button::Ok, Button::Yes, Button::Ok});
        const UnwritableFolder readOnly(desk.dir.path());
        QVERIFY(readOnly.Ok());
        QVERIFY(!desk.commands.AskToSaveChanges());
        desk.commands.NewArchive();  // its prompt fails the same way: New stops there
        QCOMPARE(boxes.seen.size(), 4);
        QCOMPARE(boxes.seen[1].title, QStringLiteral("Ошибка"));
    }
    QCOMPARE(desk.Rows(), rows);
    QCOMPARE(desk.state.fileName, QStringLiteral("a.wpa"));
    QVERIFY(desk.state.modified);
    QVERIFY(desk.Files().isEmpty());
    // Once saving works again the prompt lets the caller go on.
    ModalScript yes({Button::Yes});
    QVERIFY(desk.commands.AskToSaveChanges());
    QCOMPARE(desk.RowsIn(desk.Path(QStringLiteral("a.wpa"))), rows);
}

void FileCommandsTest::noFileChosenInThePromptKeepsTheTable() {
    Desk desk;
    desk.Read(2);
    desk.Delete();  // named by the delete, but without a file name
    const QStringList rows = desk.Rows();
    ModalScript boxes({Button::Yes, Button::Yes});
    QVERIFY(!desk.commands.AskToSaveChanges());  // Yes, then the Save As dialog cancelled
    desk.commands.NewArchive();                  // the same: New keeps the table
    QCOMPARE(desk.dialogs.saveAsked, 2);
    QCOMPARE(desk.Rows(), rows);
    QVERIFY(desk.Files().isEmpty());
}

void FileCommandsTest::commandLineArgumentsAreJoinedByBlanks() {
    Desk desk;
    ArchiveTable other;
    CurveStore otherCurves;
    FillArchive(other, otherCurves, 2);
    QVERIFY(QDir(desk.dir.path()).mkpath(QStringLiteral("My  Archives")));
    const QString path = desk.Path(QStringLiteral("My  Archives/a b.wpa"));
    QVERIFY(WriteArchiveFile(other, otherCurves, path).Ok());
    // A path with blanks arrives in pieces; two blanks in a row come as an empty piece.
    const QStringList arguments = {desk.Path(QStringLiteral("My")), QString(),
                                   QStringLiteral("Archives/a"), QStringLiteral("b.wpa")};
    QVERIFY(desk.commands.OpenCommandLine(arguments));
    QCOMPARE(desk.state.fileName, QStringLiteral("a b.wpa"));
    QCOMPARE(desk.Caption(), QStringLiteral("Porvel - a b.wpa"));
    QCOMPARE(desk.table.GridRowCount(), 3);
}

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
