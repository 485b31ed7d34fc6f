// The chart's "Save chart as…" CSV against porvel-cli info --json --curves on the same archive:
// the same measured samples in kPa at the same times, in the desktop's CSV form (the suite runs
// under a Russian and an English desktop, and this test follows whichever it is given).
#include <QApplication>
#include <QContextMenuEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "archive/archive_file.h"
#include "archive/curve_store.h"
#include "curve/chart_control.h"
#include "curve/chart_window.h"
#include "curve_rows.h"
#include "modal_answers.h"

using namespace porvel;

class ChartCsvTest : public QObject {
    Q_OBJECT
private slots:
    void theCsvHoldsTheSamplesTheToolGives();
};

void ChartCsvTest::theCsvHoldsTheSamplesTheToolGives() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ArchiveTable table;
    CurveStore curves;
    testing::CurveRow uneven;  // alternate samples: a mean of them is far from each
    uneven.samples = 40;
    uneven.rate = QStringLiteral("10");
    uneven.word = [](int i) { return static_cast<std::uint16_t>(i % 2 ? 4600 : 4000 + i); };
    testing::PutMeasurement(table, curves, 1, uneven);
    testing::CurveRow slow;
    slow.samples = 15;
    slow.slot = 1;
    testing::PutMeasurement(table, curves, 2, slow);
    const QString archive = dir.filePath(QStringLiteral("two.wpa"));
    QVERIFY(WriteArchiveFile(table, curves, archive).Ok());

    QPointer<ChartWindow> window;
    ChartTableRow(window, table, curves, 2, true, nullptr, [] { return Language::Russian; });
    QVERIFY(window);
    ChartTableRow(window, table, curves, 1, true, nullptr, [] { return Language::Russian; });
    QTRY_COMPARE(window->plot->graphCount(), 3);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // Right click on the chart, the menu's item, the file's name typed.
    const QString csvPath = dir.filePath(QStringLiteral("curves.csv"));
    testing::ModalScript dialog({}, {csvPath});
    const QPoint at = window->plot->rect().center();
    QTest::mouseClick(window->plot, Qt::RightButton, {}, at);
    // The context menu event the desktop sends with a right click.
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, window->plot->mapToGlobal(at));
    QApplication::sendEvent(window->plot, &menuEvent);
    QTRY_VERIFY(window->chartMenu->isVisible());
    QTest::mouseClick(window->chartMenu, Qt::LeftButton, {},
                      window->chartMenu->actionGeometry(window->saveChartAsAction).center());
    QTRY_COMPARE(dialog.dialogs.size(), 1);
    QFile csvFile(csvPath);
    QVERIFY(csvFile.open(QIODevice::ReadOnly));
    QByteArray bytes = csvFile.readAll();
    window->close();

    QProcess tool;
    tool.start(QStringLiteral(PORVEL_CLI),
               {QStringLiteral("info"), archive, QStringLiteral("--json"),
                QStringLiteral("--curves"), QStringLiteral("--rows"), QStringLiteral("2,1")});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    const QJsonArray rows = QJsonDocument::fromJson(tool.readAllStandardOutput())
                                .object()[QStringLiteral("rows")]
                                .toArray();
    QCOMPARE(rows.size(), 2);

    // Read back as a spreadsheet of this desktop reads it.
    const bool decimalComma = QLocale::system().decimalPoint() == QStringLiteral(",");
    const char separator = decimalComma ? ';' : ',';
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QList<QByteArray> lines = bytes.mid(3).split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());
    QCOMPARE(lines.takeFirst(),
             QByteArray("t, c") + separator + "\xE2\x84\x96 2" + separator + "\xE2\x84\x96 1\r");
    const auto number = [&](QByteArray field) {
        if (decimalComma) field.replace(',', '.');
        bool ok = false;
        const double value = field.toDouble(&ok);
        return ok ? value : qQNaN();
    };
    std::vector<int> taken(2, 0);
    for (const QByteArray& line : lines) {
        QVERIFY(line.endsWith('\r'));
        const QList<QByteArray> fields = line.chopped(1).split(separator);
        QCOMPARE(fields.size(), 3);
        for (int c = 0; c < 2; ++c) {
            if (fields[c + 1].isEmpty()) continue;
            const QJsonObject curve = rows[c].toObject()[QStringLiteral("curve")].toObject();
            const int i = taken[c]++;
            QVERIFY(i < curve[QStringLiteral("kPa")].toArray().size());
            QVERIFY2(
                qAbs(number(fields[c + 1]) - curve[QStringLiteral("kPa")][i].toDouble()) < 6e-4,
                line.constData());
            QVERIFY2(
                qAbs(number(fields[0]) - curve[QStringLiteral("seconds")][i].toDouble()) < 6e-4,
                line.constData());
        }
    }
    QCOMPARE(taken, std::vector<int>({15, 40}));
}

QTEST_MAIN(ChartCsvTest)
#include "chart_csv_test.moc"
