// The file commands in the main window: its menu items, the toolkit's file dialogs as they are
// set up, and the save prompt when the window closes.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "../archive_samples.h"
#include "app/file_commands.h"
#include "app/main_window.h"
#include "archive/archive_file.h"
#include "archive/curve_store.h"
#include "box_script.h"
#include "device/exchange_types.h"

using namespace porvel;
using namespace porvel::testing;

namespace {

// Answers the file dialogs that come up, one path each (an empty one cancels), and keeps how
// each was set up.
class DialogScript : public QObject {
public:
    struct Seen {
        QString name;
        QString title;
        QStringList filters;
        QString fileName;
        QString suffix;
        QFileDialog::AcceptMode mode;
        bool asksToOverwrite;
    };

    explicit DialogScript(QStringList answers) : answers_(std::move(answers)) {
        timer_.setInterval(BoxScript::kPollMs);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            seen << Seen{dialog->objectName(),
                         dialog->windowTitle(),
                         dialog->nameFilters(),
                         QFileInfo(dialog->selectedFiles().value(0)).fileName(),
                         dialog->defaultSuffix(),
                         dialog->acceptMode(),
                         !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
            const QString answer = answers_.isEmpty() ? QString() : answers_.takeFirst();
            if (answer.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(answer);
            static_cast<QDialog*>(dialog)->accept();  // as the Save or Open button does
        });
        timer_.start();
    }

    QList<Seen> seen;

private:
    QStringList answers_;
    QTimer timer_;
};

const QStringList kFilters = {QStringLiteral("Porvel (*.wpa)"), QStringLiteral("All Files (*.*)")};

}  // namespace

class MainWindowFileTest : public QObject {
    Q_OBJECT
private slots:
    void theFileItemsOpenTheirDialogs();
    void savedAndOpenedAgainThroughTheDialogs();
    void closingWithChangesOffersToSave();
    void cancelInTheSavePromptKeepsTheTableAndTheWindow();
};

void MainWindowFileTest::theFileItemsOpenTheirDialogs() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (QAction* item : {w.newAction, w.openAction, w.saveAction, w.saveAsAction})
        QVERIFY(item->isEnabled());
    TheExchange().recordCount = 0;

    DialogScript dialogs({QString(), QString(), QString()});
    w.saveAsAction->trigger();
    w.englishAction->trigger();
    w.saveAsAction->trigger();
    w.openAction->trigger();
    QCOMPARE(dialogs.seen.size(), 3);
    const DialogScript::Seen& save = dialogs.seen[0];
    QCOMPARE(save.name, QStringLiteral("AskSavePath"));
    QCOMPARE(save.title, QStringLiteral("Сохранить как..."));
    QCOMPARE(save.filters, kFilters);
    QCOMPARE(save.fileName, QStringLiteral("Arhive.wpa"));
    QCOMPARE(save.suffix, QStringLiteral("wpa"));
    QCOMPARE(save.mode, QFileDialog::AcceptSave);
    QVERIFY(!save.asksToOverwrite);
    QCOMPARE(dialogs.seen[1].title, QStringLiteral("Save As..."));
    const DialogScript::Seen& open = dialogs.seen[2];
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

    DialogScript dialogs({path, path});
    w.saveAsAction->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel - Объект.wpa"));
    w.newAction->trigger();  // nothing to save since Save As: no prompt
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel - Объект 0.wpa*"));
    QVERIFY(w.Archive()->IsEmpty());
    w.englishAction->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel - Объект 0.wpa*"));
    w.russianAction->trigger();

    w.openAction->trigger();
    QCOMPARE(dialogs.seen.size(), 2);
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

    BoxScript boxes({QMessageBox::Yes});
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

    BoxScript boxes({QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::Cancel});
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

QTEST_MAIN(MainWindowFileTest)
#include "main_window_file_test.moc"
