// The archive table's double click on a table view: the chart window opens once, further rows
// are added to it up to the series limit, an empty table gets its message, unreadable
// rows are left out, and a reopened window starts a new plotted rows list.
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "curve/chart_control.h"
#include "curve/chart_window.h"
#include "curve_rows.h"
#include "modal_answers.h"
#include "plot/chart_texts.h"
#include "ui/design_metrics.h"
#include "ui/main_texts.h"

using namespace porvel;
using porvel::testing::AnswerNext;

namespace {

constexpr int kSamples = 60;

// A view of an archive table wired as the main window wires its grid: a click on a number
// cell selects the whole row, and the double click goes to the entry point.
class TableHost {
public:
    explicit TableHost(int measurements) {
        for (int row = 1; row <= measurements; ++row) {
            testing::CurveRow m;
            m.samples = kSamples;
            m.slot = row - 1;
            PutMeasurement(table, curves, row, m);
        }
        if (measurements > 0) table.SetGridRowCount(measurements + 1);  // as a read leaves it
        view.setModel(&table);
        QObject::connect(&view, &QTableView::clicked, [this](const QModelIndex& index) {
            wholeRow = index.column() == column::kNumber;
            if (wholeRow) view.selectRow(index.row());
        });
        QObject::connect(&view, &QTableView::doubleClicked, [this](const QModelIndex& index) {
            ChartTableRow(chart, table, curves, index.row() + 1, wholeRow, &view,
                          [this] { return language; });
        });
        view.show();
        (void)QTest::qWaitForWindowExposed(&view);
    }
    // Press, release, the double click and its release.
    void DoubleClick(int row, int col = column::kNumber) {
        const QPoint at = view.visualRect(table.index(row - 1, col)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at);
    }
    // A double click while the window is open.
    void AddRow(int row) { DoubleClick(row); }

    ArchiveTable table;
    CurveStore curves;
    QPointer<ChartWindow> chart;            // what the double click opened
    Language language = Language::Russian;  // the main window's
    QTableView view;
    bool wholeRow = false;
};

QList<int> PlottedRowsOf(const ChartWindow* window) {
    QList<int> rows;
    for (int row : window->Plotted().Rows()) rows << row;
    return rows;
}

int OpenCharts() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        count += qobject_cast<ChartWindow*>(window) != nullptr;
    return count;
}

int CurveCount(ChartWindow* window) {
    return window->plot->graphCount() - 1;
}

}  // namespace

class ChartDoubleClickTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QTRY_COMPARE(OpenCharts(), 0); }
    void aNumberCellDoubleClickOpensTheChartOfThatRow();
    void otherDoubleClicksChartNothing();
    void anEmptyTableSaysTheArchiveIsNotRead_data();
    void anEmptyTableSaysTheArchiveIsNotRead();
    void furtherRowsComeUpToTheSeriesLimit();
    void closingAndReopeningStartsANewList();
    void rowsWithoutAReadableCurveAreLeftOut();
};

void ChartDoubleClickTest::aNumberCellDoubleClickOpensTheChartOfThatRow() {
    TableHost host(3);
    host.DoubleClick(2);
    ChartWindow* window = host.chart;
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(!window->isModal());
    QCOMPARE(window->windowTitle(), QStringLiteral("График"));
    QCOMPARE(window->size(), QSize(Design(1174), Design(840)));
    QVERIFY(window->printButton->isEnabled());
    QCOMPARE(window->plot->yAxis->label(), QStringLiteral("Давление, кПа "));

    const QCPGraph* marker = window->plot->graph(0);
    QCOMPARE(marker->scatterStyle().shape(), QCPScatterStyle::ssCircle);
    QVERIFY(!window->plot->legend->hasItemWithPlottable(marker));
    QCOMPARE(CurveCount(window), 1);
    QCOMPARE(window->plot->graph(1)->name(), RowTitle(host.table, 2));
    QCOMPARE(window->plot->graph(1)->dataCount(), kSamples);
    QCOMPARE(PlottedRowsOf(window), QList<int>{2});
    QCOMPARE(window->SeriesCounter(), 1);
}

void ChartDoubleClickTest::otherDoubleClicksChartNothing() {
    TableHost host(3);
    host.DoubleClick(2, column::kObject);
    ChartTableRow(host.chart, host.table, host.curves, 0, true, &host.view, {});  // the header row
    ChartTableRow(host.chart, host.table, host.curves, host.table.GridRowCount(), true, &host.view,
                  {});
    QVERIFY(host.chart == nullptr);
    QCOMPARE(OpenCharts(), 0);
}

void ChartDoubleClickTest::anEmptyTableSaysTheArchiveIsNotRead_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::newRow("ru") << LanguageIndex(Language::Russian) << QStringLiteral("Архив не считан!")
                        << QStringLiteral("Внимание");
    QTest::newRow("en") << LanguageIndex(Language::English) << QStringLiteral("Archive not read!")
                        << QStringLiteral("Warning");
}

void ChartDoubleClickTest::anEmptyTableSaysTheArchiveIsNotRead() {
    QFETCH(int, language);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    TableHost host(0);
    host.language = static_cast<Language>(language);
    QStringList seen;
    AnswerNext<QMessageBox> answer([&](QMessageBox* box) {
        seen << box->text() << box->windowTitle() << QString::number(box->buttons().size());
        QCOMPARE(box->icon(), QMessageBox::Critical);
        box->buttons().front()->click();
    });
    host.DoubleClick(3);
    QVERIFY(answer.Answered());
    QCOMPARE(seen, (QStringList{text, caption, QStringLiteral("1")}));
    QVERIFY(host.chart == nullptr);
}

// Three data rows (a row count of 4) hold the first curve and three added ones; the same row
// twice gives the same curve twice.
void ChartDoubleClickTest::furtherRowsComeUpToTheSeriesLimit() {
    TableHost host(3);
    host.DoubleClick(1);
    ChartWindow* window = host.chart;
    QVERIFY(window);
    for (int row : {3, 3, 2}) host.AddRow(row);
    QCOMPARE(CurveCount(window), 4);
    QCOMPARE(window->plot->graph(2)->name(), window->plot->graph(3)->name());
    QCOMPARE(window->plot->graph(3)->dataCount(), kSamples);
    QCOMPARE(window->SeriesCounter(), 4);

    host.AddRow(1);
    QCOMPARE(CurveCount(window), 4);
    QCOMPARE(PlottedRowsOf(window), (QList<int>{1, 3, 3, 2}));
    QCOMPARE(host.chart.data(), window);
}

void ChartDoubleClickTest::closingAndReopeningStartsANewList() {
    TableHost host(3);
    host.DoubleClick(1);
    host.AddRow(2);
    ChartWindow* first = host.chart;
    first->close();
    QCOMPARE(first->Plotted().Count(), 0);
    QVERIFY(!first->Open());
    QTRY_VERIFY(host.chart == nullptr);

    host.DoubleClick(3);
    QVERIFY(host.chart);
    QCOMPARE(PlottedRowsOf(host.chart), QList<int>{3});
    QCOMPARE(CurveCount(host.chart), 1);
    QCOMPARE(host.chart->SeriesCounter(), 1);
}

// A rate of 0 or cells that do not convert: the window opens, or stays, without that curve.
// A length of 2 gives an empty curve with its title.
void ChartDoubleClickTest::rowsWithoutAReadableCurveAreLeftOut() {
    TableHost host(4);
    host.table.SetCell(column::kSampleRate, 1, QStringLiteral("0"));
    host.table.SetCell(column::kCurveLength, 2, QStringLiteral("NAN"));
    host.table.SetCell(column::kCurveLength, 3, QStringLiteral("2"));
    host.DoubleClick(1);
    ChartWindow* window = host.chart;
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(CurveCount(window), 0);
    host.AddRow(2);
    QCOMPARE(CurveCount(window), 0);
    QCOMPARE(window->SeriesCounter(), 1);

    host.AddRow(3);
    QCOMPARE(CurveCount(window), 1);
    QCOMPARE(window->plot->graph(1)->dataCount(), 0);
    QCOMPARE(window->plot->graph(1)->name(), RowTitle(host.table, 3));
    QCOMPARE(PlottedRowsOf(window), QList<int>{3});
}

QTEST_MAIN(ChartDoubleClickTest)
#include "chart_double_click_test.moc"
