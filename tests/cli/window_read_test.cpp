// porvel-cli download, then info, against the window's own read of the same scenario from the
// simulated instrument: the same cells in every row and the same curve under every row.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/main_window.h"
#include "archive/archive_record.h"
#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "gui/gui_sim.h"
#include "ui/exchange_worker.h"
#include "wire/name_tables.h"

using namespace porvel;

namespace {

// Damaged names and values, a grade of 0, an m of 0 ("NAN"), two records in one minute, a
// curve at 3 samples a second.
constexpr const char* kScenario =
    "object 3 ru=\"Свая\" en=\"Pile\" material=2\n"
    "material 2 ru=\"Бетон-М\" en=\"Concrete M\"\n"
    "record number=12 date=2026-11-05 time=14:05:37 object=3 material=2 m=12.5 h=1.24 "
    "samples=300\n"
    "record number=13 m=2.5 h=0 rate=3 samples=200\n"
    "record number=14 time=14:15:50 m=0 samples=100\n"
    "record number=15 date=2026-11-06 time=09:30 m=45 object=25 samples=500\n";

struct ToolRun {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun RunTool(const QStringList& arguments, const QString& scenarioFile) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PORVEL_USB_LIBRARY"), QStringLiteral(PORVEL_SIM_LIBRARY));
    env.insert(QStringLiteral("PORVEL_SIM_SCENARIO"), scenarioFile);
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("ru_RU.UTF-8"));
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(PORVEL_CLI), arguments);
    ToolRun run;
    if (!tool.waitForFinished(60000)) return run;
    run.code = tool.exitCode();
    run.out = tool.readAllStandardOutput();
    run.err = tool.readAllStandardError();
    return run;
}

}  // namespace

class WindowReadTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void downloadThenInfoGivesTheWindowsTable();
};

void WindowReadTest::downloadThenInfoGivesTheWindowsTable() {
    testing::GuiSim sim;
    QVERIFY(sim.Load(kScenario));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.readArchiveButton,
                      Qt::LeftButton);  // returns when the progress dialog has closed
    QTRY_VERIFY_WITH_TIMEOUT(!ExchangeRunning(w.Session()), 20000);
    const ArchiveTable& window = *w.Archive();
    QCOMPARE(window.GridRowCount(), 5);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString scenario = dir.filePath(QStringLiteral("scenario.txt"));
    QFile file(scenario);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kScenario);
    file.close();
    const QString archive = dir.filePath(QStringLiteral("read.wpa"));

    const ToolRun download =
        RunTool({QStringLiteral("download"), QStringLiteral("-o"), archive}, scenario);
    QVERIFY2(download.code == 0, download.err.constData());
    const ToolRun info = RunTool(
        {QStringLiteral("info"), archive, QStringLiteral("--json"), QStringLiteral("--curves")},
        scenario);
    QVERIFY2(info.code == 0, info.err.constData());
    const QJsonObject root = QJsonDocument::fromJson(info.out).object();
    const QJsonArray columns = root.value(QStringLiteral("columns")).toArray();
    const QJsonArray rows = root.value(QStringLiteral("rows")).toArray();
    QCOMPARE(columns.size(), 10);
    QCOMPARE(columns.at(9).toString(), window.Header(9));
    QCOMPARE(rows.size(), window.GridRowCount() - 1);

    for (int r = 1; r < window.GridRowCount(); ++r) {
        const QJsonObject row = rows.at(r - 1).toObject();
        const QJsonArray cells = row.value(QStringLiteral("cells")).toArray();
        for (int c = 0; c < cells.size(); ++c) QCOMPARE(cells.at(c).toString(), window.Cell(c, r));
        QCOMPARE(row.value(QStringLiteral("curveLength")).toInt(),
                 window.Cell(column::kCurveLength, r).toInt());
        QCOMPARE(row.value(QStringLiteral("slot")).toInt(), window.Cell(column::kSlot, r).toInt());
        // The curve as recorded: the window's samples in kPa, at i / rate seconds.
        const QJsonObject curve = row.value(QStringLiteral("curve")).toObject();
        const QJsonArray kPa = curve.value(QStringLiteral("kPa")).toArray();
        const QJsonArray seconds = curve.value(QStringLiteral("seconds")).toArray();
        const int slot = *window.SlotOf(r);
        QCOMPARE(kPa.size(), *window.SampleCountOf(r));
        const double rate = row.value(QStringLiteral("sampleRate")).toDouble();
        for (int i = 0; i < kPa.size(); ++i) {
            QVERIFY(qAbs(kPa.at(i).toDouble() - PressureToKPa(w.Curves().Words(slot)[i])) < 0.0006);
            QVERIFY(qAbs(seconds.at(i).toDouble() - i / rate) < 1e-6);
        }
    }
    // The object the instrument does not list reads as in the window.
    QCOMPARE(window.Cell(column::kObject, 4), NameTable::kUnknownName);
}

QTEST_MAIN(WindowReadTest)
#include "window_read_test.moc"
