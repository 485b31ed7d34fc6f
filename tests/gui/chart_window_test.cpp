// The chart window under the mouse: the readout and the point marker inside the plot, dragging
// axis ends in the label strips, the refits of double clicks and the rectangle zoom.
#include <QStatusBar>
#include <QTest>
#include <cmath>

#include "curve/chart_control.h"
#include "curve/chart_window.h"
#include "curve_rows.h"
#include "plot/chart_texts.h"
#include "ui/main_texts.h"

using namespace porvel;

namespace {

constexpr int kStripInset = 15;  // how far into a label strip the tests press
constexpr double kMargin = 0.02;

struct Extent {
    double maxX = 0, minY = INFINITY, maxY = -INFINITY;
};

// The extent of the curves as their points lie in the chart.
Extent CurvesIn(const QCustomPlot* chart) {
    Extent e;
    for (int g = 1; g < chart->graphCount(); ++g)
        for (const QCPGraphData& point : *chart->graph(g)->data()) {
            e.maxX = std::max(e.maxX, point.key);
            e.minY = std::min(e.minY, point.value);
            e.maxY = std::max(e.maxY, point.value);
        }
    return e;
}

bool Near(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
}

}  // namespace

class ChartWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void movingOverACurveShowsTheReadoutAndMarksItsPoint();
    void draggingInTheLeftStripMovesAnEndWithRedLabels();
    void anEndDraggedPastTheOtherIsRefused();
    void doubleClicksRefitTheEndsTheyPick();
    void rectangleZoomTowardsLowerRightAndBack();

private:
    QPoint Pixel(const QCPGraphData& point) const {
        return {qRound(chart_->xAxis->coordToPixel(point.key)),
                qRound(chart_->yAxis->coordToPixel(point.value))};
    }
    // A point of the plot, of the left strip or of the bottom strip, by fractions of the plot.
    QPoint InPlot(double fromLeft, double fromTop) const {
        const PlotRect p = chart_->PlotArea();
        return {p.left + qRound((p.right - p.left) * fromLeft),
                p.top + qRound((p.bottom - p.top) * fromTop)};
    }
    QPoint LeftStrip(double fromTop) const {
        return {chart_->PlotArea().left - kStripInset, InPlot(0, fromTop).y()};
    }
    QPoint BottomStrip(double fromLeft) const {
        return {InPlot(fromLeft, 0).x(), chart_->PlotArea().bottom + kStripInset};
    }
    void DoubleClick(QPoint at) {
        QTest::mouseClick(chart_, Qt::LeftButton, {}, at);
        QTest::mouseDClick(chart_, Qt::LeftButton, {}, at);
        QTest::mouseRelease(chart_, Qt::LeftButton, {}, at);
        chart_->replot();  // lays out the new tick labels before the next press is placed
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(chart_, Qt::LeftButton, {}, from);
        QTest::mouseMove(chart_, (from + to) / 2);
        QTest::mouseMove(chart_, to);
        QTest::mouseRelease(chart_, Qt::LeftButton, {}, to);
    }

    ArchiveTable table_;
    CurveStore curves_;
    QPointer<ChartWindow> open_;
    Language language_ = Language::Russian;  // the main window's
    ChartWindow* window_ = nullptr;
    ChartControl* chart_ = nullptr;
};

// Two curves: a slow rise over 100 s and a faster fall over 25 s.
void ChartWindowTest::init() {
    language_ = Language::Russian;
    testing::CurveRow rise;
    rise.samples = 200;
    rise.rate = QStringLiteral("2");
    rise.word = [](int i) { return static_cast<std::uint16_t>(4000 + 20 * i); };
    PutMeasurement(table_, curves_, 1, rise);
    testing::CurveRow fall;
    fall.samples = 100;
    fall.rate = QStringLiteral("4");
    fall.slot = 1;
    fall.word = [](int i) { return static_cast<std::uint16_t>(6000 - 10 * i); };
    PutMeasurement(table_, curves_, 2, fall);

    ChartTableRow(open_, table_, curves_, 1, true, nullptr, [this] { return language_; });
    window_ = open_;
    QVERIFY(window_);
    chart_ = window_->plot;
    ChartTableRow(open_, table_, curves_, 2, true, nullptr, [this] { return language_; });
    QTRY_COMPARE(chart_->graphCount(), 3);
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    chart_->replot();
}

void ChartWindowTest::cleanup() {
    window_->close();
    QTRY_VERIFY(open_ == nullptr);
}

void ChartWindowTest::movingOverACurveShowsTheReadoutAndMarksItsPoint() {
    const QCPGraph* curve = chart_->graph(1);
    const QCPGraphData point = *curve->data()->at(80);
    const QPoint at = Pixel(point);
    QTest::mouseMove(chart_, at);
    QTRY_VERIFY(window_->statusBar->currentMessage().startsWith(QStringLiteral("Время ")));
    QCOMPARE(window_->statusBar->currentMessage(),
             ReadoutText(chart_->xAxis->pixelToCoord(at.x()), chart_->yAxis->pixelToCoord(at.y()),
                         Language::Russian));
    const QCPGraph* marker = chart_->graph(0);
    QCOMPARE(marker->dataCount(), 1);
    QCOMPARE(marker->data()->at(0)->key, point.key);
    QCOMPARE(marker->data()->at(0)->value, point.value);
    QCOMPARE(marker->scatterStyle().pen().color(), curve->pen().color());

    // Away from the curves the readout follows in the new language; the marker stays.
    language_ = Language::English;
    QTest::mouseMove(chart_, InPlot(0.02, 0.02));
    QTRY_VERIFY(window_->statusBar->currentMessage().startsWith(QStringLiteral("Time ")));
    QCOMPARE(marker->data()->at(0)->key, point.key);

    // The pointer leaves the chart: the marker and the readout go with it.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(chart_, &leave);
    QCOMPARE(marker->dataCount(), 0);
    QVERIFY(window_->statusBar->currentMessage().isEmpty());
    // Over the plot again, then an undone zoom: the readout tells the new values there.
    QTest::mouseMove(chart_, at);
    QTRY_COMPARE(marker->dataCount(), 1);
    const QString before = window_->statusBar->currentMessage();
    chart_->xAxis->setRange(0, chart_->xAxis->range().upper * 4);
    emit chart_->UndoZoom();
    QVERIFY(window_->statusBar->currentMessage() != before);
    QCOMPARE(window_->statusBar->currentMessage(),
             ReadoutText(chart_->xAxis->pixelToCoord(at.x()), chart_->yAxis->pixelToCoord(at.y()),
                         Language::English));
}

void ChartWindowTest::draggingInTheLeftStripMovesAnEndWithRedLabels() {
    const QPoint press = LeftStrip(0.8);
    const AxisEnds start = window_->LeftEnds();
    QTest::mousePress(chart_, Qt::LeftButton, {}, press);
    QCOMPARE(window_->CurrentDragMode(), DragMode::LeftMinimum);
    QCOMPARE(chart_->yAxis->tickLabelColor(), QColor(Qt::red));
    QCOMPARE(chart_->xAxis->tickLabelColor(), QColor(Qt::black));
    QVERIFY(!window_->LeftAutomatic());

    QTest::mouseMove(chart_, press + QPoint(0, -20));
    const AxisEnds moved = window_->LeftEnds();
    QVERIFY(Near(moved.Minimum(), start.Minimum() - start.Size() * 20 / chart_->height()));
    QCOMPARE(moved.Maximum(), start.Maximum());
    // Into the plot: the readout, the axis left alone; out again, the step counts from the
    // last position outside.
    QTest::mouseMove(chart_, InPlot(0.5, 0.5));
    QCOMPARE(window_->LeftEnds(), moved);
    QVERIFY(window_->statusBar->currentMessage().startsWith(QStringLiteral("Время ")));
    QTest::mouseMove(chart_, press + QPoint(0, -30));
    QVERIFY(Near(window_->LeftEnds().Minimum(),
                 moved.Minimum() - moved.Size() * 10 / chart_->height()));
    QCOMPARE(chart_->yAxis->tickLabelColor(), QColor(Qt::red));

    QTest::mouseRelease(chart_, Qt::LeftButton, {}, press + QPoint(0, -30));
    QCOMPARE(window_->CurrentDragMode(), DragMode::None);
    QCOMPARE(chart_->yAxis->tickLabelColor(), QColor(Qt::black));
}

void ChartWindowTest::anEndDraggedPastTheOtherIsRefused() {
    const QPoint press = LeftStrip(0.1);
    const AxisEnds before = window_->LeftEnds();
    QTest::mousePress(chart_, Qt::LeftButton, {}, press);
    QTest::mouseMove(chart_, press - QPoint(0, chart_->height() + 100));
    QCOMPARE(window_->LeftEnds(), before);
    // The refused move still counts as the last position.
    QTest::mouseMove(chart_, press - QPoint(0, chart_->height() + 90));
    QVERIFY(Near(window_->LeftEnds().Maximum(),
                 before.Maximum() + before.Size() * 10 / chart_->height()));
    QTest::mouseRelease(chart_, Qt::LeftButton, {}, press);
}

void ChartWindowTest::doubleClicksRefitTheEndsTheyPick() {
    const Extent data = CurvesIn(chart_);
    const double margin = (data.maxY - data.minY) * kMargin;
    chart_->yAxis->setRange(data.minY + 3, data.maxY - 3);
    chart_->xAxis->setRange(10, 30);
    chart_->replot();
    DoubleClick(LeftStrip(0.2));
    QVERIFY(Near(window_->LeftEnds().Maximum(), data.maxY + margin));
    QCOMPARE(window_->LeftEnds().Minimum(), data.minY + 3);
    DoubleClick(LeftStrip(0.8));
    QVERIFY(Near(window_->LeftEnds().Minimum(), data.minY - margin));
    DoubleClick(BottomStrip(0.8));
    QVERIFY(Near(window_->BottomEnds().Maximum(), data.maxX));
    QCOMPARE(window_->BottomEnds().Minimum(), 10.0);

    // A right or middle double click asks for nothing, so the next end drag stays where it ends.
    for (Qt::MouseButton button : {Qt::MiddleButton, Qt::RightButton}) {
        QTest::mouseClick(chart_, button, {}, InPlot(0.5, 0.5));
        QTest::mouseDClick(chart_, button, {}, InPlot(0.5, 0.5));
        QTest::mouseRelease(chart_, button, {}, InPlot(0.5, 0.5));
        QVERIFY(!window_->RefitRequested());
        window_->chartMenu->hide();  // the right button's menu
    }
    // Inside the plot the request waits for the release of the next end drag.
    const AxisEnds left = window_->LeftEnds();
    DoubleClick(InPlot(0.5, 0.5));
    QVERIFY(window_->RefitRequested());
    QCOMPARE(window_->LeftEnds(), left);
    QTest::mousePress(chart_, Qt::LeftButton, {}, BottomStrip(0.2));
    QTest::mouseMove(chart_, BottomStrip(0.2) + QPoint(-30, 0));
    QVERIFY(window_->BottomEnds().Minimum() > 10.0);
    QTest::mouseRelease(chart_, Qt::LeftButton, {}, BottomStrip(0.2) + QPoint(-30, 0));
    QCOMPARE(window_->BottomEnds().Minimum(), 0.0);
    QVERIFY(!window_->RefitRequested());
}

void ChartWindowTest::rectangleZoomTowardsLowerRightAndBack() {
    const QPoint from = InPlot(0.2, 0.2);
    const QPoint to = InPlot(0.6, 0.7);
    const AxisEnds bottom(chart_->xAxis->pixelToCoord(from.x()),
                          chart_->xAxis->pixelToCoord(to.x()));
    const AxisEnds left(chart_->yAxis->pixelToCoord(to.y()), chart_->yAxis->pixelToCoord(from.y()));
    Drag(from, to);
    QVERIFY(Near(window_->BottomEnds().Minimum(), bottom.Minimum()));
    QVERIFY(Near(window_->BottomEnds().Maximum(), bottom.Maximum()));
    QVERIFY(Near(window_->LeftEnds().Minimum(), left.Minimum()));
    QVERIFY(Near(window_->LeftEnds().Maximum(), left.Maximum()));
    QVERIFY(!window_->BottomAutomatic() && !window_->LeftAutomatic());

    chart_->replot();
    const Extent data = CurvesIn(chart_);
    const double margin = (data.maxY - data.minY) * kMargin;
    Drag(to, from);
    QVERIFY(Near(window_->LeftEnds().Minimum(), data.minY - margin));
    QVERIFY(Near(window_->LeftEnds().Maximum(), data.maxY + margin));
    QCOMPARE(window_->BottomEnds().Minimum(), 0.0);
    QVERIFY(Near(window_->BottomEnds().Maximum(), data.maxX));
}

QTEST_MAIN(ChartWindowTest)
#include "chart_window_test.moc"
