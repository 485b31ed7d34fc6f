// The file commands in the main window: its menu items, the toolkit's file dialogs as they are
// set up, and the save prompt when the window closes.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "../archive_samples.h"
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
    void cancelInTheSavePromptKeepsTheTableAndTheWindow();
    void aDroppedArchiveOpensAfterThePromptAndOtherFilesAreRefused();
};

void MainWindowFileTest::theFileItemsOpenTheirDialogs() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (QAction* item : {w.newAction, w.openAction, w.saveAction, w.saveAsAction})
        QVERIFY(item->isEnabled());
    TheExchange().recordCount = 0;

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
    QCOMPARE(TheExchange().recordCount, 0u);
}

void MainWindowFileTest::savedAndOpenedAgainThroughTheDialogs() {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Объект.wpa"));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    FillArchive(*w.Archive(), Curves(), 3);
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
    QCOMPARE(TheExchange().recordCount, 3u);
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel - Объект.wpa"));
    for (int row = 1; row <= 3; ++row)
        QCOMPARE(WordsIn(Curves(), w.Archive()->SlotOf(row).value(), 3 + row),
                 CurveOf(10 + row, 3 + row));
}

void MainWindowFileTest::closingWithChangesOffersToSave() {
    QTemporaryDir dir;
    MainWindow w;
    w.Files().SetProgramFolder(dir.path());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.newAction->trigger();
    FillArchive(*w.Archive(), Curves(), 2);  // then read from the instrument

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

void MainWindowFileTest::cancelInTheSavePromptKeepsTheTableAndTheWindow() {
    QTemporaryDir dir;
    MainWindow w;
    w.Files().SetProgramFolder(dir.path());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.newAction->trigger();
    FillArchive(*w.Archive(), Curves(), 2);
    const QStringList cells = CellsOf(*w.Archive());

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
    FillArchive(*w.Archive(), Curves(), 3);  // unsaved work
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

QTEST_MAIN(MainWindowFileTest)
#include "main_window_file_test.moc"
