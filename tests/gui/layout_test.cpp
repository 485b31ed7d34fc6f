// Nothing of the windows shows a text cut short: the main window after reading the demo archive
// in a comma locale and a point locale and in both languages, the chart with two curves, the
// progress dialog. With PORVEL_SCREENSHOT_DIR set it saves the windows as the README shows them
// (scripts/screenshots.sh runs it under a real X server).
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/main_window.h"
#include "archive/archive_table.h"
#include "base/locale_format.h"
#include "curve/chart_control.h"
#include "curve/chart_window.h"
#include "gui_sim.h"
#include "ui/exchange_progress.h"
#include "ui/exchange_worker.h"
#include "ui/progress_dialog.h"

using namespace porvel;

namespace {

void SaveShot(QWidget* window, const char* name) {
    const QByteArray dir = qgetenv("PORVEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QVERIFY(window->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') +
                                QString::fromLatin1(name)));
}

// Every shown column holds its header and each of its cells whole.
void ExpectWholeColumns(MainWindow& w) {
    const ArchiveTable& table = *w.Archive();
    QHeaderView* header = w.archiveGrid->horizontalHeader();
    const QFontMetrics metrics(w.archiveGrid->font());
    for (int col = 0; col < ArchiveTable::kShownColumns; ++col) {
        const int width = w.archiveGrid->columnWidth(col);
        QVERIFY2(header->sectionSizeHint(col) <= width, qPrintable(table.Header(col)));
        for (int row = 1; row < table.GridRowCount(); ++row)
            QVERIFY2(metrics.horizontalAdvance(table.Cell(col, row)) < width,
                     qPrintable(table.Cell(col, row)));
    }
    for (QPushButton* button : {w.readArchiveButton, w.objectsButton, w.materialsButton})
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
}

void ReadDemoArchive(MainWindow& w) {
    QTimer::singleShot(0, [] {
        QTRY_VERIFY(qobject_cast<ExchangeProgressDialog*>(QApplication::activeModalWidget()));
        SaveShot(QApplication::activeModalWidget(), "progress_dialog.png");
    });
    QTest::mouseClick(w.readArchiveButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!ExchangeRunning(w.Session()), 30000);
    QTRY_VERIFY(w.readArchiveButton->isEnabled());
    QVERIFY(w.Archive()->GridRowCount() > 10);
}

void DoubleClickNumber(MainWindow& w, int row) {
    const QPoint at = w.archiveGrid->visualRect(w.Archive()->index(row - 1, 0)).center();
    QTest::mouseClick(w.archiveGrid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(w.archiveGrid->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(testing::GuiSim().Load("demo\n")); }
    void mainWindowAndChartShowEveryTextWhole_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("ru_RU") << QLocale(QLocale::Russian, QLocale::Russia);
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    }
    void mainWindowAndChartShowEveryTextWhole() {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        ResetTimeFormat();
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ReadDemoArchive(w);
        QApplication::processEvents();  // the columns fit after the read
        ExpectWholeColumns(w);
        SaveShot(&w, "main_window.png");

        DoubleClickNumber(w, 2);
        QTRY_VERIFY(w.Chart());
        SaveShot(&w, "main_window_row_selected.png");
        ChartWindow* chart = w.Chart();
        // A second curve, as a double click on another row asks the open window for it.
        chart->AddRow(5);
        QTRY_COMPARE(chart->Plotted().Count(), 2);
        QVERIFY(QTest::qWaitForWindowExposed(chart));
        QVERIFY(chart->plot->axisRect()->rect().width() >= 0.75 * chart->plot->width());
        SaveShot(chart, "chart_window.png");
        chart->close();

        w.englishAction->trigger();
        QApplication::processEvents();
        ExpectWholeColumns(w);
        w.russianAction->trigger();
    }
    void progressDialogHoldsEveryStatusAndKeepsItsSize() {
        std::atomic<bool> cancel{false};
        ExchangeProgressDialog dialog(cancel);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QSize size = dialog.size();
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        const QFontMetrics metrics(dialog.statusLabel->font());
        for (Language language : {Language::Russian, Language::English})
            for (LinkStatus link : {LinkStatus::Ok, LinkStatus::NotOnBus, LinkStatus::LinkError,
                                    LinkStatus::NoData}) {
                ExchangeProgress progress;
                progress.step = ExchangeStep::ReadRecords;
                progress.link = link;
                const auto status = ComputeUpdate(progress, language).status;
                if (!status) continue;
                dialog.statusLabel->setText(*status);
                QVERIFY2(metrics.horizontalAdvance(*status) <= dialog.statusLabel->width(),
                         qPrintable(*status));
            }
        QCOMPARE(dialog.size(), size);
        QVERIFY(dialog.cancelButton->sizeHint().width() <= dialog.cancelButton->width());
        QVERIFY(dialog.progressGauge->geometry().bottom() < dialog.statusLabel->geometry().top());
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
