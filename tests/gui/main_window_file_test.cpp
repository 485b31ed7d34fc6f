// The file commands in the main window: its menu items, the toolkit's file dialogs as they are
// set up, and the save prompt when the window closes.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "../archive_samples.h"
#include "../file_system_faults.h"
#include "app/file_commands.h"
#include "app/main_window.h"
#include "archive/archive_file.h"
#include "archive/curve_store.h"
#include "device/exchange_types.h"
#include "modal_answers.h"

using namespace porvel;
using namespace porvel::testing;

namespace {

// A file dragged from a file manager and dropped on the window.
void Drop(QWidget& window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = window.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QVERIFY(drop.isAccepted());
}

const QStringList kFilters = {QStringLiteral("Porvel (*.wpa)"), QStringLiteral("All Files (*.*)")};

}  // namespace

class MainWindowFileTest : public QObject {
    Q_OBJECT
private slots:
    void theFileItemsOpenTheirDialogs();
    void savedAndOpenedAgainThroughTheDialogs();
    void closingWithChangesOffersToSave();
    void cancelOrNoToReplacingKeepsTheTableAndTheWindow();
    void aDroppedArchiveOpensAfterThePromptAndOtherFilesAreRefused();
    void theNextRunStartsWhereThisOneLeftOff();
    void aSettingsFileThatCannotBeReadOrWrittenStopsNothing();
};

void MainWindowFileTest::theFileItemsOpenTheirDialogs() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (QAction* item : {w.newAction, w.openAction, w.saveAction, w.saveAsAction})
        QVERIFY(item->isEnabled());

    ModalScript script({}, {QString(), QString(), QString()});
    w.saveAsAction->trigger();
    w.englishAction->trigger();
    w.saveAsAction->trigger();
    w.openAction->trigger();
    QCOMPARE(script.dialogs.size(), 3);
    const ModalScript::FileDialog& save = script.dialogs[0];
    QCOMPARE(save.name, QStringLiteral("AskSavePath"));
    QCOMPARE(save.title, QStringLiteral("Сохранить как..."));
    QCOMPARE(save.filters, kFilters);
    QCOMPARE(save.fileName, QStringLiteral("Arhive.wpa"));
    QCOMPARE(save.suffix, QStringLiteral("wpa"));
    QCOMPARE(save.mode, QFileDialog::AcceptSave);
    QVERIFY(!save.asksToOverwrite);
    QCOMPARE(script.dialogs[1].title, QStringLiteral("Save As..."));
    const ModalScript::FileDialog& open = script.dialogs[2];
    QCOMPARE(open.name, QStringLiteral("AskOpenPath"));
    QCOMPARE(open.filters, kFilters);
    QCOMPARE(open.mode, QFileDialog::AcceptOpen);
    // Every dialog was cancelled: nothing changed.
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel"));
    QCOMPARE(w.Archive()->GridRowCount(), ArchiveTable::kStartRows);
}

void MainWindowFileTest::savedAndOpenedAgainThroughTheDialogs() {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Объект.wpa"));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    FillArchive(*w.Archive(), w.Curves(), 3);
    const QStringList cells = CellsOf(*w.Archive());

    ModalScript script({}, {path, path});
    w.saveAsAction->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel - Объект.wpa"));
    w.newAction->trigger();  // nothing to save since Save As: no prompt
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel - Объект 0.wpa*"));
    QVERIFY(w.Archive()->IsEmpty());
    w.englishAction->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel - Объект 0.wpa*"));
    w.russianAction->trigger();

    w.openAction->trigger();
    QCOMPARE(script.dialogs.size(), 2);
    QCOMPARE(CellsOf(*w.Archive()), cells);
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel - Объект.wpa"));
    for (int row = 1; row <= 3; ++row)
        QCOMPARE(WordsIn(w.Curves(), w.Archive()->SlotOf(row).value(), 3 + row),
                 CurveOf(10 + row, 3 + row));
}

void MainWindowFileTest::closingWithChangesOffersToSave() {
    QTemporaryDir dir;
    MainWindow w;
    w.Files().SetProgramFolder(dir.path());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.newAction->trigger();
    FillArchive(*w.Archive(), w.Curves(), 2);  // then read from the instrument

    ModalScript boxes({QMessageBox::Yes});
    w.exitAction->trigger();
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, QStringLiteral("Сохранить Arhive 0.wpa ?"));
    QVERIFY(!w.isVisible());
    ArchiveTable back;
    CurveStore curves;
    QVERIFY(ReadArchiveFile(QDir(dir.path()).filePath(QStringLiteral("Arhive 0.wpa")), back, curves)
                .Ok());
    QCOMPARE(CellsOf(back).mid(13), CellsOf(*w.Archive()).mid(13));
}

void MainWindowFileTest::cancelOrNoToReplacingKeepsTheTableAndTheWindow() {
    QTemporaryDir dir;
    MainWindow w;
    w.Files().SetProgramFolder(dir.path());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.newAction->trigger();
    FillArchive(*w.Archive(), w.Curves(), 2);
    const QStringList cells = CellsOf(*w.Archive());

    {
        ModalScript boxes({QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::Cancel});
        w.newAction->trigger();
        QCOMPARE(CellsOf(*w.Archive()), cells);
        w.exitAction->trigger();
        QVERIFY(w.isVisible());
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(boxes.seen.size(), 3);
        QCOMPARE(CellsOf(*w.Archive()), cells);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());  // and nothing was saved
    }

    // Yes to saving, then No to replacing the file there: nothing was saved, so Exit, New and
    // Open stop too, with the work on the screen.
    QFile other(w.Files().CurrentPath());
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("other work");
    other.close();
    ModalScript replace({QMessageBox::Yes, QMessageBox::No, QMessageBox::Yes, QMessageBox::No,
                         QMessageBox::Yes, QMessageBox::No});
    w.exitAction->trigger();
    QVERIFY(w.isVisible());
    w.newAction->trigger();
    w.openAction->trigger();
    QCOMPARE(replace.seen.size(), 6);
    QVERIFY(replace.dialogs.isEmpty());  // Open asked for no file
    QCOMPARE(CellsOf(*w.Archive()), cells);
    QVERIFY(w.File().modified);
    QVERIFY(other.open(QIODevice::ReadOnly));
    QCOMPARE(other.readAll(), QByteArray("other work"));
}

void MainWindowFileTest::aDroppedArchiveOpensAfterThePromptAndOtherFilesAreRefused() {
    QTemporaryDir dir;
    const QString archive = QDir(dir.path()).filePath(QStringLiteral("Свая.wpa"));
    {
        ArchiveTable table;
        CurveStore curves;
        FillArchive(table, curves, 2);
        QVERIFY(WriteArchiveFile(table, curves, archive).Ok());
    }
    const QString notes = QDir(dir.path()).filePath(QStringLiteral("notes.txt"));
    QFile(notes).open(QIODevice::WriteOnly);
    MainWindow w;
    w.Files().SetProgramFolder(dir.path());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.newAction->trigger();
    FillArchive(*w.Archive(), w.Curves(), 3);  // unsaved work
    const QStringList cells = CellsOf(*w.Archive());

    ModalScript boxes({QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::No});
    Drop(w, notes);  // refused at once, nothing asked
    QTRY_COMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text,
             QStringLiteral("Файл %1 не является архивом Porvel или повреждён").arg(notes));
    Drop(w, archive);  // the save prompt, cancelled: everything stays
    QTRY_COMPARE(boxes.seen.size(), 2);
    QCOMPARE(boxes.seen[1].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(CellsOf(*w.Archive()), cells);
    Drop(w, archive);  // No to saving: the archive opens
    QTRY_COMPARE(w.windowTitle(), QStringLiteral("Porvel - Свая.wpa"));
    QCOMPARE(w.Archive()->GridRowCount(), 3);
}

void MainWindowFileTest::theNextRunStartsWhereThisOneLeftOff() {
    QTemporaryDir config, dir;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const QString first = QDir(dir.path()).filePath(QStringLiteral("Свая.wpa"));
    const QString second = QDir(dir.path()).filePath(QStringLiteral("Плита.wpa"));
    {
        ArchiveTable table;
        CurveStore curves;
        FillArchive(table, curves, 2);
        QVERIFY(WriteArchiveFile(table, curves, first).Ok());
        QVERIFY(WriteArchiveFile(table, curves, second).Ok());
    }
    QRect place;
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.recentMenu->actions().size(), 1);  // "(нет)"
        QVERIFY(!w.recentMenu->actions()[0]->isEnabled());
        ModalScript open({}, {first, second});
        w.openAction->trigger();
        w.openAction->trigger();
        QCOMPARE(w.recentMenu->actions().size(), 2);
        QCOMPARE(w.recentMenu->actions()[0]->text(), QStringLiteral("Плита.wpa"));
        QCOMPARE(w.recentMenu->actions()[1]->toolTip(), first);
        w.setGeometry(w.geometry().adjusted(10, 20, -30, -40));
        w.archiveGrid->setColumnWidth(3, 333);
        place = w.geometry();
        QVERIFY(w.close());
    }
    MainWindow w;
    w.RestoreLastSession();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.geometry().size(), place.size());
    QTRY_COMPARE(w.archiveGrid->columnWidth(3), 333);
    // The last folder is where the dialogs open.
    AnswerNext<QFileDialog> look([&](QFileDialog* dialog) {
        QCOMPARE(dialog->directory().absolutePath(), QDir(dir.path()).absolutePath());
        dialog->reject();
    });
    w.openAction->trigger();
    QVERIFY(look.Answered());
    // A recent file that is gone is said and taken off; one that is there opens.
    QVERIFY(QFile::remove(second));
    ModalScript boxes;
    w.recentMenu->actions()[0]->trigger();
    QCOMPARE(boxes.seen.size(), 1);
    QVERIFY(boxes.seen[0].text.contains(second));
    QCOMPARE(w.recentMenu->actions().size(), 1);
    w.recentMenu->actions()[0]->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel - Свая.wpa"));
}

void MainWindowFileTest::aSettingsFileThatCannotBeReadOrWrittenStopsNothing() {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QVERIFY(QDir(config.path()).mkpath(QStringLiteral("porvel")));
    QFile damaged(config.path() + QStringLiteral("/porvel/porvel.conf"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("[files\nrecent=@Invalid(\x01\x02\n\0\0\xff", 30));
    damaged.close();
    {
        MainWindow w;
        w.RestoreLastSession();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!w.recentMenu->actions()[0]->isEnabled());  // defaults
        QVERIFY(w.close());
    }
    // A file that cannot be replaced: the run goes on and ends as usual.
    QVERIFY(damaged.setPermissions(QFile::ReadOwner));
    UnwritableFolder readOnly(config.path() + QStringLiteral("/porvel"));
    QVERIFY(readOnly.Ok());
    MainWindow w;
    w.RestoreLastSession();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.close());
}

QTEST_MAIN(MainWindowFileTest)
#include "main_window_file_test.moc"
