#include "chart_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "chart_control.h"
#include "chart_copy.h"
#include "chart_save.h"
#include "chart_texts.h"
#include "curve_builder.h"
#include "curve_view_state.h"
#include "report/print_preview.h"
#include "test_record.h"
#include "ui/design_metrics.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"

namespace porvel {

namespace {

constexpr int kDesignWidth = 1174;
constexpr int kDesignHeight = 840;
constexpr int kMarkOffsetPx = 6;  // the value mark stands this far above its point
const QString kMarkerTitle = QStringLiteral(" ");
// The chart's topmost layer, buffered on its own and drawn only for the zoom rectangle
// otherwise: the marker shares it, so a pointer move redraws that layer alone and a paint
// blits no more buffers than a chart without a marker.
const QString kMarkerLayer = QStringLiteral("overlay");

QPointer<TForm4>& OpenWindow() {
    static QPointer<TForm4> window;
    return window;
}

}  // namespace

TForm4::TForm4(ArchiveTable& table, const CurveStore& curves, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint |
                          Qt::WindowContextHelpButtonHint),
      Chart1(new ChartControl(this)),
      Button1(new QPushButton(this)),
      StatusBar1(new QStatusBar(this)),
      Timer1(new QTimer(this)),
      ChartMenu(new QMenu(this)),
      SaveChartAs(ChartMenu->addAction(QString())),
      table_(&table),
      curves_(curves) {
    setAttribute(Qt::WA_DeleteOnClose);
    OpenWindow() = this;
    BuildControls();
    WireChartEvents();
    FormCreate();
}

TForm4::~TForm4() {
    if (OpenWindow() != this) return;
    if (CurveView().chartOpen) FormClose();
    OpenWindow() = nullptr;
}

TForm4* TForm4::Instance() {
    return OpenWindow();
}

void TForm4::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Chart1, 1);
    layout->addWidget(Button1);
    layout->addWidget(StatusBar1);
    Button1->setObjectName(QStringLiteral("Button1"));
    SaveChartAs->setObjectName(QStringLiteral("SaveChartAs"));
    Chart1->setContextMenuPolicy(Qt::CustomContextMenu);
    Timer1->setInterval(kTimerIntervalMs);

    resize(Design(kDesignWidth), Design(kDesignHeight));
    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
}

void TForm4::WireChartEvents() {
    connect(Chart1, &QCustomPlot::mousePress, this, &TForm4::Chart1MouseDown);
    connect(Chart1, &QCustomPlot::mouseMove, this, &TForm4::Chart1MouseMove);
    connect(Chart1, &QCustomPlot::mouseRelease, this, &TForm4::Chart1MouseUp);
    // Qt delivers the double click in place of the second press: the refit request first,
    // then that press picks the end that its release refits.
    connect(Chart1, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent* event) {
        Chart1DblClick();
        Chart1MouseDown(event);
    });
    connect(Chart1, &ChartControl::UndoZoom, this, &TForm4::Chart1UndoZoom);
    connect(Chart1, &ChartControl::Zoomed, this, [this] {
        bottomAutomatic_ = false;
        leftAutomatic_ = false;
        RefreshReadout();
    });
    connect(Chart1, &ChartControl::PointerLeft, this, [this] {
        pointer_.reset();
        HideMarker();
    });
    connect(Timer1, &QTimer::timeout, this, &TForm4::Timer1Timer);
    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Chart1, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { ChartMenu->popup(Chart1->mapToGlobal(at)); });
    connect(SaveChartAs, &QAction::triggered, this, &TForm4::SaveChartAsClick);
}

void TForm4::FormCreate() {
    CurveViewState& state = CurveView();
    const Language language = CurrentLanguage();
    state.chartOpen = true;
    setWindowTitle(ChartTextOf(ChartText::Caption, language));
    Button1->setText(ChartTextOf(ChartText::Print, language));
    SaveChartAs->setText(TextIn(kSaveChartAs, language));

    state.seriesCounter = 0;
    SetUpChart(*Chart1, language);
    leftAutomatic_ = true;
    Chart1->clearGraphs();

    CreateMarkerSeries();
    ++state.seriesCounter;

    // A window starts its own list; a closed one has emptied it already.
    state.plottedRows.Clear();
    AddCurve(state.requestedChartRow);
    FitAutomaticAxes();
    Chart1->replot();
    Timer1->start();
}

void TForm4::CreateMarkerSeries() {
    markerLayer_ = Chart1->layer(kMarkerLayer);
    markerLayer_->setMode(QCPLayer::lmBuffered);

    marker_ = Chart1->addGraph();
    marker_->setName(kMarkerTitle);
    marker_->removeFromLegend();
    marker_->setSelectable(QCP::stNone);
    marker_->setLineStyle(QCPGraph::lsNone);
    marker_->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, kMarkerSize));
    marker_->setLayer(markerLayer_);

    // The value mark hangs from an invisible anchor at the marked point.
    auto* anchor = new QCPItemTracer(Chart1);
    anchor->setStyle(QCPItemTracer::tsNone);
    anchor->setLayer(markerLayer_);
    markerMark_ = new QCPItemText(Chart1);
    markerMark_->setLayer(markerLayer_);
    markerMark_->position->setParentAnchor(anchor->position);
    markerMark_->position->setCoords(0, -kMarkOffsetPx);
    markerMark_->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    markerMark_->setBrush(QBrush(Qt::white));
    markerMark_->setPadding(QMargins(3, 1, 3, 1));
    markerMark_->setSelectable(false);
    markerMark_->setVisible(false);
    markerAnchor_ = anchor;
}

bool TForm4::AddCurve(int row) {
    if (!table_) return false;
    std::optional<CurvePoints> curve = BuildCurve(*table_, curves_, row);
    if (!curve || !CurveView().plottedRows.Append(row)) return false;

    QCPGraph* graph = AddCurveGraph(*Chart1, RowTitle(*table_, row), *curve);
    plotted_.push_back({graph, curve->rate, curve->extent});
    return true;
}

DataExtent TForm4::CurvesExtent() const {
    DataExtent all;
    for (const PlottedCurve& curve : plotted_) all.Include(curve.extent);
    return all;
}

void TForm4::FitAutomaticAxes() {
    const DataExtent data = CurvesExtent();
    if (data.empty) return;
    if (bottomAutomatic_) SetBottomEnds(AutomaticEnds(data.minX, data.maxX));
    if (leftAutomatic_) SetLeftEnds(AutomaticEnds(data.minY, data.maxY));
}

void TForm4::Timer1Timer() {
    CurveViewState& state = CurveView();
    if (!state.addCurveRequest) return;
    state.addCurveRequest = false;
    if (!table_ || state.seriesCounter >= table_->GridRowCount() || state.plottedRows.Full())
        return;
    if (!AddCurve(state.requestedChartRow)) return;
    ++state.seriesCounter;
    FitAutomaticAxes();
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void TForm4::Button1Click() {
    if (!table_ || printing_) return;
    Button1->setEnabled(false);
    printing_ = true;
    {
        TQuickReport8 report(*table_, PlottedRowList(CurveView().plottedRows), *Chart1,
                             CurrentLanguage());
        ShowPrintPreview(report, this);
    }
    printing_ = false;
    Button1->setEnabled(true);
}

void TForm4::SaveChartAsClick() {
    const Language language = CurrentLanguage();
    const QString path =
        AskSaveFileName(this, TextIn(kSaveChartAs, language), ChartPictureFilters(),
                        ChartTextOf(ChartText::Caption, language) + QStringLiteral(".png"));
    if (path.isEmpty()) return;
    QString reason;
    if (!SaveChartPicture(*Chart1, path, &reason)) ReportFileNotSaved(path, reason);
}

void TForm4::closeEvent(QCloseEvent* event) {
    // While its print preview is open the window stays, as does its button's handler below it.
    if (printing_) {
        event->ignore();
        return;
    }
    FormClose();
    QWidget::closeEvent(event);
}

void TForm4::FormClose() {
    // A request raised now waits for the next window's timer, not for this closing one.
    Timer1->stop();
    CurveViewState& state = CurveView();
    state.plottedRows.Clear();
    state.chartOpen = false;
}

AxisEnds TForm4::BottomEnds() const {
    const QCPRange range = Chart1->xAxis->range();
    return {range.lower, range.upper};
}

AxisEnds TForm4::LeftEnds() const {
    const QCPRange range = Chart1->yAxis->range();
    return {range.lower, range.upper};
}

void TForm4::SetBottomEnds(const AxisEnds& ends) {
    Chart1->xAxis->setRange(ends.Minimum(), ends.Maximum());
}

void TForm4::SetLeftEnds(const AxisEnds& ends) {
    Chart1->yAxis->setRange(ends.Minimum(), ends.Maximum());
}

void StringGrid1DblClick(ArchiveTable& table, int row, bool rowSelectedThroughNumberCell,
                         QWidget* mainWindow) {
    if (!rowSelectedThroughNumberCell || row < 1 || row >= table.GridRowCount()) return;
    CurveViewState& state = CurveView();
    state.requestedChartRow = row;
    if (state.chartOpen) {
        state.addCurveRequest = true;
        return;
    }
    if (table.IsEmpty()) {
        const Language language = CurrentLanguage();
        LocalizedMessageBox(MainTextOf(MainText::ArchiveNotRead, language),
                            TextIn(kWarningCaption, language), box::kError);
        return;
    }
    auto* window = new TForm4(table, Curves(), mainWindow);
    window->show();
}

}  // namespace porvel
