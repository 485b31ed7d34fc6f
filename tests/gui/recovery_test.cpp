// The recovery file as the user meets it: a program killed after a read from the simulated
// instrument gives its measurements back at the next start, a No removes them, a damaged file is
// set aside, two windows keep apart, and a state folder that takes no files stops nothing.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "app/main_window.h"
#include "app/recovery_guard.h"
#include "archive/curve_store.h"
#include "file_system_faults.h"
#include "gui_sim.h"
#include "modal_answers.h"
#include "ui/exchange_worker.h"

using namespace porvel;
using namespace porvel::testing;

namespace {

constexpr const char* kChildOption = "--read-and-wait-to-be-killed";
const QString kReady = QStringLiteral("ready");

// Each data row's cells and the sum of its curve words, one line per row: what must survive.
QStringList Fingerprint(const ArchiveTable& table, const CurveStore& curves) {
    QStringList lines;
    for (int row = 1; row < table.GridRowCount() && !table.IsEmpty(); ++row) {
        QStringList cells;
        for (int col = 0; col < ArchiveTable::kColumns; ++col) cells << table.Cell(col, row);
        const int slot = table.Cell(ArchiveTable::kColumns - 1, row).toInt();
        quint64 sum = 0;
        for (std::size_t i = 0; i < curves.WordCount(slot); ++i) sum += curves.Words(slot)[i];
        lines << cells.join(QLatin1Char('\t')) + QLatin1Char('\t') + QString::number(sum);
    }
    return lines;
}

QStringList RecoveryFiles(const QString& stateHome) {
    return QDir(stateHome + QStringLiteral("/porvel"))
        .entryList({QStringLiteral("unsaved-*.wpa")}, QDir::Files);
}

// The child: reads the simulated instrument's archive in the main window, waits until the
// recovery file holds it, prints the rows and waits to be killed.
int ReadAndWaitToBeKilled() {
    GuiSim sim;
    MainWindow window;
    window.show();
    QTimer::singleShot(0, window.readArchiveButton, &QPushButton::click);
    const QString path = window.Recovery().Writer().Path();
    if (!QTest::qWaitFor(
            [&] { return !ExchangeRunning(window.Session()) && !window.Archive()->IsEmpty(); },
            20000))
        return 1;
    if (!QTest::qWaitFor([&] { return QFileInfo::exists(path); }, 5000)) return 1;
    window.Recovery().Writer().WaitIdle();
    for (const QString& line : Fingerprint(*window.Archive(), window.Curves()))
        std::printf("%s\n", line.toUtf8().constData());
    std::printf("%s\n", kReady.toUtf8().constData());
    std::fflush(stdout);
    return QApplication::exec();
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(state_.isValid());
        stateHome_ = state_.path() + QStringLiteral("/") + QString::number(++round_);
        qputenv("XDG_STATE_HOME", stateHome_.toUtf8());
    }

    void killedAfterAReadTheNextStartRestoresIt() {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kChildOption)});
        QStringList rows;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                while (child.canReadLine()) rows << QString::fromUtf8(child.readLine()).chopped(1);
                return rows.endsWith(kReady) || child.state() == QProcess::NotRunning;
            }(),
            30000);
        QCOMPARE(rows.takeLast(), kReady);
        QVERIFY(rows.size() > 1);
        child.kill();  // SIGKILL: nothing of the program runs after it
        QVERIFY(child.waitForFinished());
        QCOMPARE(RecoveryFiles(stateHome_).size(), 1);

        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QString question;
        AnswerNext<QMessageBox> yes([&](QMessageBox* box) {
            question = box->text();
            // For a look at the question: PORVEL_SCREENSHOT_DIR=/tmp recovery_test
            if (const QByteArray dir = qgetenv("PORVEL_SCREENSHOT_DIR"); !dir.isEmpty())
                box->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/restore.png"));
            box->button(QMessageBox::Yes)->click();
        });
        QVERIFY(window.OfferRecovery());
        QVERIFY(question.startsWith(QStringLiteral("Восстановить несохранённый архив от ")));
        QCOMPARE(Fingerprint(*window.Archive(), window.Curves()), rows);
        // Unsaved and unnamed: Save asks where it goes, and the save prompt guards it.
        QCOMPARE(window.windowTitle(), QStringLiteral("Porvel*"));
        QVERIFY(window.File().modified);
        QVERIFY(!window.File().named);
        // The work moved to this program's own file; the orphan is gone.
        QCOMPARE(RecoveryFiles(stateHome_),
                 QStringList{QFileInfo(window.Recovery().Writer().Path()).fileName()});

        // Closing with No to saving is a clean exit: the user gave the work up.
        ModalScript no({QMessageBox::No});
        QVERIFY(window.close());
        QVERIFY(RecoveryFiles(stateHome_).isEmpty());
    }

    void cancelKeepsADamagedFileIsSetAsideNoRemoves() {
        const QString folder = stateHome_ + QStringLiteral("/porvel");
        QVERIFY(QDir().mkpath(folder));
        auto put = [&](const QString& name, const QByteArray& bytes) {
            QFile file(folder + QLatin1Char('/') + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        put(QStringLiteral("unsaved-1-1.wpa"), QByteArray("not an archive"));
        MainWindow window;
        {
            ModalScript boxes;  // Escape: decided later
            QVERIFY(!window.OfferRecovery());
            QCOMPARE(boxes.seen.size(), 1);
        }
        QCOMPARE(RecoveryFiles(stateHome_).size(), 1);
        {
            ModalScript boxes({QMessageBox::Yes, QMessageBox::Ok});
            QVERIFY(!window.OfferRecovery());
            QCOMPARE(boxes.seen.size(), 2);
            QVERIFY(boxes.seen[1].text.startsWith(
                QStringLiteral("Файл восстановления повреждён и отложен:\n") + folder +
                QStringLiteral("/damaged-")));
        }
        QVERIFY(RecoveryFiles(stateHome_).isEmpty());
        QCOMPARE(QDir(folder).entryList({QStringLiteral("damaged-*")}, QDir::Files).size(), 1);
        QVERIFY(window.Archive()->IsEmpty());

        put(QStringLiteral("unsaved-2-2.wpa"), QByteArray("whatever"));
        ModalScript no({QMessageBox::No});
        QVERIFY(!window.OfferRecovery());
        QVERIFY(RecoveryFiles(stateHome_).isEmpty());
    }

    // Work on a named archive comes back under its name, still unsaved, and Save writes it there.
    void theWorkOfANamedArchiveComesBackUnderItsName() {
        QTemporaryDir files;
        const QString demo = files.filePath(QStringLiteral("demo.wpa"));
        {
            MainWindow first;
            first.show();
            first.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&first));
            first.Archive()->SetGridRowCount(3);
            first.Archive()->SetCell(0, 1, QStringLiteral("1"));
            {
                ModalScript saveAs({}, {demo});
                first.saveAsAction->trigger();  // File > Save As
            }
            QCOMPARE(first.windowTitle(), QStringLiteral("Porvel - demo.wpa"));
            QTRY_VERIFY(RecoveryFiles(stateHome_).isEmpty());
            first.Archive()->SetCell(0, 2, QStringLiteral("2"));
            QTRY_COMPARE(RecoveryFiles(stateHome_).size(), 1);
            first.Recovery().Writer().WaitIdle();
        }  // gone without a clean exit

        MainWindow window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ModalScript yes({QMessageBox::Yes});
        QVERIFY(window.OfferRecovery());
        QCOMPARE(yes.seen.size(), 1);
        QVERIFY2(yes.seen[0].text.startsWith(
                     QStringLiteral("Восстановить несохранённый архив demo.wpa от ")),
                 qPrintable(yes.seen[0].text));
        QCOMPARE(window.windowTitle(), QStringLiteral("Porvel - demo.wpa*"));
        QCOMPARE(window.Archive()->Cell(0, 2), QStringLiteral("2"));
        window.activateWindow();  // back from the question
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(window.archiveGrid, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(window.windowTitle(), QStringLiteral("Porvel - demo.wpa"));
        ArchiveTable saved;
        CurveStore curves;
        QVERIFY(ReadArchiveFile(demo, saved, curves).Ok());
        QCOMPARE(saved.Cell(0, 2), QStringLiteral("2"));
        QTRY_VERIFY(QDir(stateHome_ + QStringLiteral("/porvel")).entryList(QDir::Files).isEmpty());
    }

    // Two windows each keep their own file while they run, and neither is offered to a third;
    // windows that end without a clean exit leave theirs for the next start.
    void twoWindowsKeepSeparateFiles() {
        {
            MainWindow first;
            MainWindow second;
            for (MainWindow* window : {&first, &second}) {
                window->Archive()->SetGridRowCount(3);
                window->Archive()->SetCell(0, 1, QStringLiteral("1"));
            }
            QTRY_COMPARE(RecoveryFiles(stateHome_).size(), 2);
            QVERIFY(FindOrphanedRecoveries(RecoveryFolder()).empty());
        }
        QCOMPARE(FindOrphanedRecoveries(RecoveryFolder()).size(), 2u);
    }

    void aStateFolderThatTakesNoFilesStopsNothing() {
        QVERIFY(QDir().mkpath(stateHome_));
        MainWindow window;
        {
            UnwritableFolder readOnly(stateHome_);
            QVERIFY(readOnly.Ok());
            window.Archive()->SetGridRowCount(3);
            window.Archive()->SetCell(0, 1, QStringLiteral("1"));
            QTRY_VERIFY(window.statusBar()->currentMessage().startsWith(
                QStringLiteral("Файл восстановления не записан: ")));
            window.Recovery().Writer().WaitIdle();
        }
        QCOMPARE(window.Archive()->Cell(0, 1), QStringLiteral("1"));
        window.Archive()->SetCell(1, 1, QStringLiteral("14:06"));
        QTRY_COMPARE(RecoveryFiles(stateHome_).size(), 1);
    }

private:
    QTemporaryDir state_;
    QString stateHome_;
    int round_ = 0;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (app.arguments().contains(QString::fromLatin1(kChildOption))) return ReadAndWaitToBeKilled();
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recovery_test.moc"
