// The main window: captions in both languages, the commands that are not there yet, and an
// archive read from the simulated instrument with the progress dialog.
#include <sched.h>
#include <sys/resource.h>

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <array>

#include "app/main_window.h"
#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "curve/chart_window.h"
#include "device/exchange_types.h"
#include "gui_sim.h"
#include "modal_answers.h"
#include "output/clipboard_text.h"
#include "ui/exchange_worker.h"
#include "ui/progress_dialog.h"

using namespace porvel;

namespace {

using Sim = testing::GuiSim;

// Every caption that the language switch sets, in one list.
QStringList Captions(MainWindow& w) {
    QStringList texts{w.windowTitle()};
    for (QMenu* menu : {w.fileMenu, w.editMenu, w.languageMenu, w.helpMenu}) texts << menu->title();
    for (QAction* a : {w.newAction, w.openAction, w.saveAction, w.saveAsAction, w.exportAction,
                       w.printAction, w.exitAction, w.copyTableAction, w.copySelectionAction,
                       w.screenshotAction, w.russianAction, w.englishAction, w.gradeTableAction,
                       w.helpAction, w.aboutAction, w.deleteRowAction})
        texts << a->text();
    for (QPushButton* b : {w.readArchiveButton, w.objectsButton, w.materialsButton})
        texts << b->text();
    for (int col = 0; col < ArchiveTable::kShownColumns; ++col) texts << w.Archive()->Header(col);
    return texts;
}

// The scheduling policy and nice value of every thread of this process.
QSet<QPair<int, int>> ThreadPriorities() {
    QSet<QPair<int, int>> seen;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(task + QStringLiteral("/stat")));
        if (!stat.open(QIODevice::ReadOnly)) continue;
        const QByteArray line = stat.readAll();
        // From the state (field 3) on, after the thread's name: nice is field 19, policy 41.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        seen.insert({fields.value(38).toInt(), fields.value(16).toInt()});
    }
    return seen;
}

ExchangeProgressDialog* WaitForProgressDialog() {
    ExchangeProgressDialog* dialog = nullptr;
    (void)QTest::qWaitFor(
        [&] {
            dialog = qobject_cast<ExchangeProgressDialog*>(QApplication::activeModalWidget());
            return dialog != nullptr;
        },
        5000);
    return dialog;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsInRussianWithTheBookkeepingColumnsHidden();
    void switchingLanguageBackRestoresEveryCaption();
    void everyCommandIsEnabled();
    void f1OpensTheHelpInTheCurrentLanguage();
    void theToolkitsDialogsFollowTheLanguage();
    void readingTheArchiveFillsTheTable();
    void doubleClicksThatDoNotChart();
    void cancelWhileSearchingLeavesTheTableAsItWas_data();
    void cancelWhileSearchingLeavesTheTableAsItWas();
    void cancelEndsAReadWhileItsMessageIsUp();
    void aReadIsAnUnsavedChangeAndSaysItsCounts();
    void theTableOnScreenIsCopiedAfterAReadThatBroughtNothing();
    void anInterruptedReadSaysHowMuchArrived_data();
    void anInterruptedReadSaysHowMuchArrived();
};

void MainWindowTest::startsInRussianWithTheBookkeepingColumnsHidden() {
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel"));
    QVERIFY(w.russianAction->isChecked());
    QVERIFY(!w.englishAction->isChecked());
    QCOMPARE(w.readArchiveButton->text(), QStringLiteral("Загрузить архив"));
    QCOMPARE(w.Archive()->GridRowCount(), 9);
    // The curve's bookkeeping is no column of the view.
    QCOMPARE(w.archiveGrid->model()->columnCount(), 10);
    QCOMPARE(w.Archive()->Header(0), QStringLiteral("№"));
    QCOMPARE(w.Archive()->Header(9), QStringLiteral("Марка водонепроницаемости"));
    QCOMPARE(w.archiveGrid->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("Время"));
}

void MainWindowTest::switchingLanguageBackRestoresEveryCaption() {
    MainWindow w;
    const QStringList russian = Captions(w);
    w.englishAction->trigger();
    QVERIFY(w.englishAction->isChecked());
    QVERIFY(!w.russianAction->isChecked());
    QCOMPARE(w.materialsButton->text(), QStringLiteral("Materials Setting "));
    QCOMPARE(w.objectsButton->text(), QStringLiteral("Objects Setting "));
    QCOMPARE(w.copySelectionAction->text(), QStringLiteral("Copy select to clipboard (Ctrl+C)"));
    QCOMPARE(w.Archive()->Header(0), QStringLiteral("№"));
    QCOMPARE(w.Archive()->Header(5), QStringLiteral("Pair, kPa"));
    QCOMPARE(w.languageMenu->title(), QStringLiteral("Language(Язык)"));
    const QStringList english = Captions(w);
    QVERIFY(english != russian);
    w.russianAction->trigger();
    QCOMPARE(Captions(w), russian);
}

void MainWindowTest::everyCommandIsEnabled() {
    MainWindow w;
    // The table's clipboard and Delete commands, the spreadsheet export and the listing.
    for (QAction* a : {w.copyTableAction, w.copySelectionAction, w.deleteRowAction, w.exportAction,
                       w.printAction})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(w.objectsButton->isEnabled());
    QVERIFY(w.materialsButton->isEnabled());
    for (QAction* a : {w.screenshotAction, w.exitAction, w.russianAction, w.englishAction,
                       w.helpAction, w.gradeTableAction, w.aboutAction})
        QVERIFY(a->isEnabled());
    QVERIFY(w.readArchiveButton->isEnabled());
}

void MainWindowTest::theToolkitsDialogsFollowTheLanguage() {
    // The standard buttons of file, print and message dialogs, as the toolkit names them.
    auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    MainWindow w;
    QCOMPARE(cancel(), QStringLiteral("Отмена"));
    w.englishAction->trigger();
    QCOMPARE(cancel(), QStringLiteral("Cancel"));
    w.russianAction->trigger();
    QCOMPARE(cancel(), QStringLiteral("Отмена"));
    QCOMPARE(w.saveAction->shortcut(), QKeySequence(QKeySequence::Save));
    QCOMPARE(w.saveAction->text(), QStringLiteral("Сохранить"));  // the caption keeps its text
}

void MainWindowTest::f1OpensTheHelpInTheCurrentLanguage() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.archiveGrid->setFocus();
    QTest::keyClick(w.archiveGrid, Qt::Key_F1, Qt::ShiftModifier);
    auto helpWindow = [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QStringLiteral("HelpWindow") && top->isVisible()) return top;
        return static_cast<QWidget*>(nullptr);
    };
    QTRY_VERIFY(helpWindow());
    QCOMPARE(helpWindow()->windowTitle(), QStringLiteral("Porvel — справка"));
    QCOMPARE(helpWindow()->parentWidget(), &w);  // it goes with the main window
    w.englishAction->trigger();
    w.helpAction->trigger();
    QCOMPARE(helpWindow()->windowTitle(), QStringLiteral("Porvel — help"));
    helpWindow()->close();
}

void MainWindowTest::readingTheArchiveFillsTheTable() {
    Sim sim;
    QVERIFY(
        sim.Load("record number=12 date=2026-11-05 time=14:05:37 m=12.5 h=1.24 samples=300\n"
                 "record number=13 m=2.5 h=0 samples=400\n"
                 "record number=14 date=2026-11-06 time=09:30 m=45 samples=500\n"
                 "object 0 ru=\"Плита-А\" en=\"Slab A\"\n"));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QList<int> progress;
    // The worker never lowers its priority: an unprivileged thread could not raise it again.
    const QPair<int, int> started{sched_getscheduler(0), getpriority(PRIO_PROCESS, 0)};
    QSet<QPair<int, int>> priorities;
    QTimer::singleShot(0, [&] {
        ExchangeProgressDialog* dialog = WaitForProgressDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->cancelButton->text(), QStringLiteral("Отмена"));
        connect(dialog->progressGauge, &QProgressBar::valueChanged, [&](int v) {
            progress << v;
            priorities.unite(ThreadPriorities());  // the worker waits for this step meanwhile
        });
    });
    QTest::mouseClick(w.readArchiveButton, Qt::LeftButton);  // returns when the dialog has closed
    QTRY_VERIFY_WITH_TIMEOUT(!ExchangeRunning(w.Session()), 20000);

    ArchiveTable& t = *w.Archive();
    QCOMPARE(t.GridRowCount(), 4);
    QCOMPARE(t.Cell(column::kNumber, 1), QStringLiteral("12"));
    QCOMPARE(t.Cell(column::kTime, 1), QStringLiteral("14:05"));
    QCOMPARE(t.Cell(column::kObject, 1), QStringLiteral("Плита-А"));  // the instrument's names
    QCOMPARE(t.Cell(column::kNumber, 3), QStringLiteral("14"));
    QCOMPARE(t.Cell(column::kCurveLength, 3), QStringLiteral("502"));
    QCOMPARE(t.Cell(column::kSlot, 3), QStringLiteral("2"));
    QVERIFY(progress.contains(46));
    QVERIFY(progress.contains(73));
    QCOMPARE(progress.last(), 100);
    QCOMPARE(priorities, (QSet<QPair<int, int>>{started}));
    // The worker's flag drops before its thread has finished; the button waits for the thread.
    QTRY_VERIFY(w.readArchiveButton->isEnabled());
    QVERIFY2(!sim.Log().contains(QStringLiteral("violation")), qPrintable(sim.Log()));
    // A double click on a row's number cell charts it.
    const QPoint number = w.archiveGrid->visualRect(w.Archive()->index(1, 0)).center();
    QTest::mouseClick(w.archiveGrid->viewport(), Qt::LeftButton, {}, number);
    QTest::mouseDClick(w.archiveGrid->viewport(), Qt::LeftButton, {}, number);
    QTRY_VERIFY(w.Chart());
    QCOMPARE(w.Chart()->Plotted().Count(), 1);
    QCOMPARE(w.Chart()->Plotted().At(0), 2);
    if (const QByteArray dir = qgetenv("PORVEL_SCREENSHOT_DIR"); !dir.isEmpty())
        QVERIFY(w.Chart()->grab().save(QString::fromLocal8Bit(dir) +
                                       QStringLiteral("/chart_window.png")));
    w.Chart()->close();
    // For a look at the window: PORVEL_SCREENSHOT_DIR=/tmp main_window_test
    if (const QByteArray dir = qgetenv("PORVEL_SCREENSHOT_DIR"); !dir.isEmpty())
        QVERIFY(w.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/main_window.png")));
}

void MainWindowTest::doubleClicksThatDoNotChart() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto doubleClick = [&](int dataRow, int col) {
        const QPoint at = w.archiveGrid->visualRect(w.Archive()->index(dataRow - 1, col)).center();
        QTest::mouseClick(w.archiveGrid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w.archiveGrid->viewport(), Qt::LeftButton, {}, at);
    };
    // Nothing read yet: the number cell of the first row says so.
    QString text, title;
    {
        porvel::testing::AnswerNext<QMessageBox> answer([&](QMessageBox* box) {
            text = box->text();
            title = box->windowTitle();
            box->buttons().front()->click();
        });
        doubleClick(1, 0);
        QTRY_VERIFY(answer.Answered());
    }
    QCOMPARE(text, QStringLiteral("Архив не считан!"));
    QCOMPARE(title, QStringLiteral("Внимание"));
    QVERIFY(!w.Chart());

    // A filled table: a double click on a data cell charts nothing.
    ArchiveTable& t = *w.Archive();
    t.SetCell(column::kNumber, 1, QStringLiteral("7"));
    t.SetCell(column::kCurveLength, 1, QStringLiteral("5"));
    t.SetCell(column::kSampleRate, 1, QStringLiteral("4"));
    t.SetCell(column::kSlot, 1, QStringLiteral("0"));
    doubleClick(1, column::kM);
    QVERIFY(!w.Chart());  // a number-cell double click opens it at once
}

void MainWindowTest::cancelWhileSearchingLeavesTheTableAsItWas_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << true;  // presses Cancel rather than only hiding the dialog
}

void MainWindowTest::cancelWhileSearchingLeavesTheTableAsItWas() {
    QFETCH(bool, escape);
    Sim sim;
    QVERIFY(sim.Load("record\nfault absent searches=100000\n"));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QString seen;
    QTimer::singleShot(0, [&] {
        ExchangeProgressDialog* dialog = WaitForProgressDialog();
        QVERIFY(dialog);
        QTRY_COMPARE_WITH_TIMEOUT(dialog->statusLabel->text(),
                                  QStringLiteral("Проверьте подключение"), 5000);
        seen = dialog->windowTitle();
        if (escape)
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog->cancelButton, Qt::LeftButton);
    });
    QTest::mouseClick(w.readArchiveButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!ExchangeRunning(w.Session()), 5000);
    QCOMPARE(seen, QStringLiteral("Подключение"));
    QCOMPARE(w.Archive()->GridRowCount(), 9);
    QVERIFY(w.Archive()->IsEmpty());
    QVERIFY(!w.Session().exchange.cancel.load());
}

// A damaged parameter block is asked for again after every OK of its message. The message stands
// over the progress dialog without blocking it, so Cancel, clicked as the window system delivers
// it, ends the read while the message is up, and takes the message away.
void MainWindowTest::cancelEndsAReadWhileItsMessageIsUp() {
    Sim sim;
    QVERIFY(sim.Load("generate count=3 samples=40\nfault parameters_marker replies=100000\n"));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ExchangeProgressDialog* dialog = nullptr;
    QStringList texts;
    bool cancelTookTheBox = false;
    testing::ModalWatch user([&](QWidget* window) {
        if (auto* progress = qobject_cast<ExchangeProgressDialog*>(window)) dialog = progress;
        auto* box = qobject_cast<QMessageBox*>(window);
        if (!box || !dialog) return false;
        texts << box->text();
        if (texts.size() < 3) {
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            return false;
        }
        const QPointer<QMessageBox> shown = box;
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {},
                          dialog->cancelButton->geometry().center());
        cancelTookTheBox = !shown || !shown->isVisible();
        if (!cancelTookTheBox) {  // a blocked Cancel: the test ends the read all the same
            w.Session().exchange.cancel = true;
            box->escapeButton()->click();
        }
        return true;
    });
    QTest::mouseClick(w.readArchiveButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!ExchangeRunning(w.Session()), 5000);
    QVERIFY(cancelTookTheBox);
    QCOMPARE(texts, QStringList(3, QStringLiteral("Ошибка контрольной суммы")));
    QVERIFY(w.Archive()->IsEmpty());
    QVERIFY(!w.Session().exchange.cancel.load());
}

QTEST_MAIN(MainWindowTest)
// Measurements off the instrument and in no file are unsaved work like any other.
void MainWindowTest::aReadIsAnUnsavedChangeAndSaysItsCounts() {
    Sim sim;
    QVERIFY(sim.Load("generate count=3 samples=40\n"));
    MainWindow w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::mouseClick(w.readArchiveButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w.readArchiveButton->isEnabled(), 20000);
    QCOMPARE(w.windowTitle(), QStringLiteral("Porvel*"));
    QCOMPARE(w.statusBar()->currentMessage(),
             QStringLiteral("Прочитано 3: добавлено 3, повторов 0"));
    QTest::mouseClick(w.readArchiveButton, Qt::LeftButton);  // an append that adds nothing says so
    QTRY_VERIFY_WITH_TIMEOUT(w.readArchiveButton->isEnabled(), 20000);
    QCOMPARE(w.statusBar()->currentMessage(),
             QStringLiteral("Прочитано 3: добавлено 0, повторов 3"));

    // Save of an archive without a name asks for one.
    w.activateWindow();  // back from the progress dialog
    QVERIFY(QTest::qWaitForWindowActive(&w));
    {
        testing::AnswerNext<QFileDialog> cancel([](QFileDialog* dialog) { dialog->reject(); });
        QTest::keyClick(w.archiveGrid, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(cancel.Answered());
    }
    // Exit, New and Open ask first; Cancel keeps the table and the window.
    for (QAction* command : {w.exitAction, w.newAction, w.openAction}) {
        testing::ModalScript boxes({QMessageBox::Cancel});
        command->trigger();
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY(w.isVisible());
        QCOMPARE(w.Archive()->GridRowCount(), 4);
    }
    testing::ModalScript no({QMessageBox::No});
    w.close();
}

// Copy asks the table whether it is empty, not the count of the instrument read last.
void MainWindowTest::theTableOnScreenIsCopiedAfterAReadThatBroughtNothing() {
    Sim sim;
    MainWindow w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (const char* archive : {"generate count=3 samples=40\n", "\n"}) {
        QVERIFY(sim.Load(archive));
        QTest::mouseClick(w.readArchiveButton, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w.readArchiveButton->isEnabled(), 20000);
    }
    QCOMPARE(w.Archive()->GridRowCount(), 4);
    testing::ModalScript boxes;
    QGuiApplication::clipboard()->clear();
    w.copyTableAction->trigger();
    QVERIFY(boxes.seen.isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(),
             TableClipboardText(*w.Archive(), Language::Russian));
}

void MainWindowTest::anInterruptedReadSaysHowMuchArrived_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("arrived");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("notRead");
    const QString shortRead =
        QStringLiteral("Архив прочитан не полностью: %1 из 36 измерений. %2.");
    const QString link = QStringLiteral("Ошибка связи");
    const QString crc = QStringLiteral("Ошибка контрольной суммы: измерение %1 из 36");
    // A new window reads both lists first: transfers 1 to 12.
    QTest::newRow("unplugged") << "fault unplug after=20" << 1
                               << QStringList{shortRead.arg(1).arg(link)} << QString();
    QTest::newRow("transfers failing") << "fault fail_transfer at=30 count=3" << 2
                                       << QStringList{shortRead.arg(2).arg(link)} << QString();
    QTest::newRow("one transfer failing")
        << "fault fail_transfer at=30 count=1" << 36 << QStringList{} << QString();
    // A damaged measurement is passed over, named once, and the rest is read.
    const QString sixth = QStringLiteral("Не прочитаны: 6 (ошибка контрольной суммы)");
    const QString crcShort = shortRead.arg(35).arg(QStringLiteral("Ошибка контрольной суммы"));
    QTest::newRow("damaged record")
        << "fault record_crc record=5" << 35
        << QStringList{crc.arg(6), crcShort + QLatin1Char('\n') + sixth} << sixth;
    const QString third = QStringLiteral("Не прочитаны: 3 (нет маркера конца)");
    QTest::newRow("record without its end marker")
        << "fault record_marker record=2" << 35
        << QStringList{crc.arg(3), crcShort + QLatin1Char('\n') + third} << third;
    QTest::newRow("damaged curve") << "fault curve_crc record=3" << 36 << QStringList{crc.arg(4)}
                                   << QStringLiteral("Не прочитаны: 4 (без кривой)");
}

void MainWindowTest::anInterruptedReadSaysHowMuchArrived() {
    QFETCH(QString, fault);
    QFETCH(int, arrived);
    QFETCH(QStringList, messages);
    QFETCH(QString, notRead);
    Sim sim;
    QVERIFY(sim.Load(("generate count=36 samples=40\n" + fault + "\n").toUtf8().constData()));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    testing::ModalScript boxes;
    QTest::mouseClick(w.readArchiveButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w.readArchiveButton->isEnabled(), 20000);
    QTRY_COMPARE(boxes.seen.size(), messages.size());
    for (int i = 0; i < messages.size(); ++i) QCOMPARE(boxes.seen[i].text, messages[i]);
    QCOMPARE(w.Archive()->GridRowCount(), arrived + 1);  // what arrived is kept
    const QString status = w.statusBar()->currentMessage();
    QVERIFY2(notRead.isEmpty() ? !status.contains(QStringLiteral("Не прочитаны"))
                               : status.endsWith(QStringLiteral(". ") + notRead),
             qPrintable(status));
    if (fault.startsWith(QStringLiteral("fault curve_crc"))) {
        // Kept with its values, without a curve: nothing of it goes into a file.
        QCOMPARE(w.Archive()->Cell(column::kCurveLength, 4), QStringLiteral("0"));
        QVERIFY(!w.Curves().Has(*w.Archive()->SlotOf(4)));
        QVERIFY(w.Curves().Has(*w.Archive()->SlotOf(5)));
    }
}

#include "main_window_test.moc"
