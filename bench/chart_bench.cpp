// The chart window with 32 curves of 32765 samples each, the chart 1174 x 840 pixels:
// (a) a full replot against a bare chart control replotting the same data in this run,
// (b) one pointer move inside the plot, readout, point marker and repaint included,
// (c) from the double click on the table to the first painted chart with one such curve.
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "bench_goal.h"
#include "curve/chart_control.h"
#include "curve/chart_window.h"
#include "wire/record_layout.h"

using namespace porvel;

namespace {

constexpr int kCurves = 32;
constexpr int kSamples = 32765;
constexpr int kChartWidth = 1174;
constexpr int kChartHeight = 840;
constexpr int kReplots = 15;
constexpr int kOpenings = 7;
constexpr double kReplotGoal = 1.3;
constexpr double kMoveGoalMs = 2.0;
constexpr double kCountsPerKPa = record::kSensorScaleCounts / record::kSensorScaleKPa;

// A chamber coming back from a vacuum towards the atmosphere, a little different per curve,
// with sensor noise.
std::uint16_t Word(int curve, int i) {
    const double tau = 900.0 + 40.0 * curve;
    const double kPa =
        101.0 - (66.0 + curve) * std::exp(-i / tau) + 0.15 * std::sin(i * 0.37 + curve);
    return static_cast<std::uint16_t>(std::lround(kPa * kCountsPerKPa));
}

void FillTable(ArchiveTable& table, CurveStore& store, int curves) {
    table.SetGridRowCount(curves + 1);
    for (int row = 1; row <= curves; ++row) {
        const int slot = row - 1;
        table.SetCell(column::kNumber, row, QString::number(row));
        table.SetCell(column::kTime, row, QStringLiteral("10:%1").arg(row, 2, 10, QChar('0')));
        table.SetCell(column::kDate, row, QStringLiteral("03.05.2024"));
        table.SetCell(column::kObject, row, QStringLiteral("Object"));
        table.SetCell(column::kMaterial, row, QStringLiteral("Concrete"));
        table.SetCell(column::kGrade, row, QStringLiteral("W8"));
        table.SetCell(column::kCurveLength, row, QString::number(kSamples + 2));
        table.SetCell(column::kSampleRate, row, QStringLiteral("5"));
        table.SetCell(column::kSlot, row, QString::number(slot));
        std::uint16_t* words = store.Allocate(slot, kSamples + 2);
        for (int i = 0; i < kSamples; ++i) words[i] = Word(slot, i);
    }
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void SizeChart(QWidget* window, QWidget* chart) {
    window->resize(kChartWidth + window->width() - chart->width(),
                   kChartHeight + window->height() - chart->height());
    QCoreApplication::processEvents();
}

// Tells when a chart control has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<ChartControl*>(watched)) painted = true;
        return false;
    }
};

ChartWindow* OpenWithAllCurves(ArchiveTable& table, const CurveStore& curves) {
    QPointer<ChartWindow> window;
    ChartTableRow(window, table, curves, 1, true, nullptr, [] { return Language::Russian; });
    (void)QTest::qWaitForWindowExposed(window);
    for (int row = 2; row <= kCurves; ++row)
        ChartTableRow(window, table, curves, row, true, nullptr, [] { return Language::Russian; });
    SizeChart(window, window->plot);
    return window;
}

void ReplotRatio(ChartWindow* window, const ArchiveTable& table) {
    QCustomPlot bare;
    bare.resize(window->plot->size());
    for (int g = 1; g < window->plot->graphCount(); ++g) {
        QVector<double> keys, values;
        for (const QCPGraphData& p : *window->plot->graph(g)->data()) {
            keys << p.key;
            values << p.value;
        }
        bare.addGraph()->setData(keys, values, true);
    }
    bare.rescaleAxes();
    bare.show();
    (void)QTest::qWaitForWindowExposed(&bare);

    std::vector<double> ours, theirs;
    QElapsedTimer clock;
    for (int i = 0; i < kReplots; ++i) {
        clock.start();
        window->plot->replot(QCustomPlot::rpImmediateRefresh);
        ours.push_back(clock.nsecsElapsed() / 1e6);
        clock.start();
        bare.replot(QCustomPlot::rpImmediateRefresh);
        theirs.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double ratio = Median(ours) / Median(theirs);
    std::printf(
        "(a) replot, %d curves x %d samples, chart %dx%d, %d rows: %.2f ms, bare control "
        "%.2f ms, ratio %.2f (goal <= %.1f) %s\n",
        window->plot->graphCount() - 1, kSamples, window->plot->width(), window->plot->height(),
        table.GridRowCount() - 1, Median(ours), Median(theirs), ratio, kReplotGoal,
        ratio <= kReplotGoal ? "ok" : "MISSED");
    porvel::bench::Goal("chart", "replot / bare control", ratio, " x", kReplotGoal);
}

void PointerMoves(ChartWindow* window) {
    ChartControl* chart = window->plot;
    chart->replot();
    const PlotRect plot = chart->PlotArea();
    const QCPGraph* followed = chart->graph(kCurves / 2);
    std::vector<double> handled, painted;
    QElapsedTimer clock;
    for (int x = plot.left + 1; x < plot.right - 1; ++x) {
        const double t = chart->xAxis->pixelToCoord(x);
        auto at = followed->data()->findBegin(t);
        const QPoint pos(x, qRound(chart->yAxis->coordToPixel(at->value)));
        QMouseEvent move(QEvent::MouseMove, pos, chart->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        clock.start();
        QApplication::sendEvent(chart, &move);
        handled.push_back(clock.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
        painted.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double median = Median(painted);
    std::printf(
        "(b) pointer move inside the plot, %zu moves along a curve: handler %.3f ms, "
        "with repaint %.3f ms median, %.3f ms worst (goal < %.0f ms) %s\n",
        painted.size(), Median(handled), median, *std::max_element(painted.begin(), painted.end()),
        kMoveGoalMs, median < kMoveGoalMs ? "ok" : "MISSED");
    porvel::bench::Goal("chart", "pointer move with repaint", median, " ms", kMoveGoalMs, true);
}

void DoubleClickToPaint() {
    ArchiveTable table;
    CurveStore curves;
    FillTable(table, curves, 1);
    QTableView view;
    view.setModel(&table);
    QPointer<ChartWindow> chart;
    QObject::connect(&view, &QTableView::doubleClicked, [&](const QModelIndex& index) {
        ChartTableRow(chart, table, curves, index.row() + 1, index.column() == column::kNumber,
                      &view, [] { return Language::Russian; });
    });
    view.show();
    (void)QTest::qWaitForWindowExposed(&view);
    PaintWatch watch;
    qApp->installEventFilter(&watch);

    std::vector<double> times;
    const QPoint cell = view.visualRect(table.index(0, column::kNumber)).center();
    for (int i = 0; i < kOpenings; ++i) {
        watch.painted = false;
        QElapsedTimer clock;
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell);
        clock.start();
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell);
        while (!watch.painted) QCoreApplication::processEvents();
        times.push_back(clock.nsecsElapsed() / 1e6);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, cell);
        chart->close();
        (void)QTest::qWaitFor([&] { return chart == nullptr; }, 1000);
    }
    qApp->removeEventFilter(&watch);
    std::printf(
        "(c) double click to the first painted chart, one curve of %d samples: first "
        "%.1f ms, median of %d %.1f ms\n",
        kSamples, times.front(), kOpenings, Median(times));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    DoubleClickToPaint();

    ArchiveTable table;
    CurveStore curves;
    FillTable(table, curves, kCurves);
    ChartWindow* window = OpenWithAllCurves(table, curves);
    ReplotRatio(window, table);
    PointerMoves(window);
    window->close();
    return 0;
}
