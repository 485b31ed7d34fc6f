#include "chart_window.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <utility>

#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "base/durable_save.h"
#include "chart_control.h"
#include "chart_save.h"
#include "output/curve_csv.h"
#include "output/test_record.h"
#include "plot/chart_copy.h"
#include "plot/chart_texts.h"
#include "plot/curve_builder.h"
#include "report/print_preview.h"
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

}  // namespace

ChartWindow::ChartWindow(ArchiveTable& table, const CurveStore& curves, int row,
                         LanguageSource language, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint |
                          Qt::WindowContextHelpButtonHint),
      plot(new ChartControl(this)),
      printButton(new QPushButton(this)),
      statusBar(new QStatusBar(this)),
      chartMenu(new QMenu(this)),
      saveChartAsAction(chartMenu->addAction(QString())),
      table_(&table),
      curves_(curves),
      language_(std::move(language)) {
    setAttribute(Qt::WA_DeleteOnClose);
    BuildControls();
    WireChartEvents();
    StartPlot(row);
}

void ChartWindow::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(plot, 1);
    layout->addWidget(printButton);
    layout->addWidget(statusBar);
    printButton->setObjectName(QStringLiteral("printButton"));
    saveChartAsAction->setObjectName(QStringLiteral("saveChartAsAction"));
    plot->setContextMenuPolicy(Qt::CustomContextMenu);

    resize(Design(kDesignWidth), Design(kDesignHeight));
    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
}

void ChartWindow::WireChartEvents() {
    connect(plot, &QCustomPlot::mousePress, this, &ChartWindow::OnPlotMousePress);
    connect(plot, &QCustomPlot::mouseMove, this, &ChartWindow::OnPlotMouseMove);
    connect(plot, &QCustomPlot::mouseRelease, this, &ChartWindow::OnPlotMouseRelease);
    // Qt delivers the double click in place of the second press: the refit request first,
    // then that press picks the end that its release refits. Only the left button refits; the
    // others do nothing on a press either.
    connect(plot, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent* event) {
        if (event->button() == Qt::LeftButton) OnPlotDoubleClick();
        OnPlotMousePress(event);
    });
    connect(plot, &ChartControl::UndoZoom, this, &ChartWindow::UndoZoom);
    connect(plot, &ChartControl::Zoomed, this, [this] {
        bottomAutomatic_ = false;
        leftAutomatic_ = false;
        RefreshReadout();
    });
    connect(plot, &ChartControl::PointerLeft, this, [this] {
        pointer_.reset();
        HideMarker();
    });
    connect(printButton, &QPushButton::clicked, this, &ChartWindow::OnPrintClicked);
    connect(plot, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { chartMenu->popup(plot->mapToGlobal(at)); });
    connect(saveChartAsAction, &QAction::triggered, this, &ChartWindow::OnSaveChartAsClicked);
}

void ChartWindow::StartPlot(int row) {
    const Language language = language_();
    open_ = true;
    setWindowTitle(ChartTextOf(ChartText::Caption, language));
    printButton->setText(ChartTextOf(ChartText::Print, language));
    saveChartAsAction->setText(TextIn(kSaveChartAs, language));

    seriesCounter_ = 0;
    SetUpChart(*plot, language);
    leftAutomatic_ = true;
    plot->clearGraphs();

    CreateMarkerSeries();
    ++seriesCounter_;

    AddCurve(row);
    FitAutomaticAxes();
    plot->replot();
}

void ChartWindow::CreateMarkerSeries() {
    markerLayer_ = plot->layer(kMarkerLayer);
    markerLayer_->setMode(QCPLayer::lmBuffered);

    marker_ = plot->addGraph();
    marker_->setName(kMarkerTitle);
    marker_->removeFromLegend();
    marker_->setSelectable(QCP::stNone);
    marker_->setLineStyle(QCPGraph::lsNone);
    marker_->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, kMarkerSize));
    marker_->setLayer(markerLayer_);

    // The value mark hangs from an invisible anchor at the marked point.
    auto* anchor = new QCPItemTracer(plot);
    anchor->setStyle(QCPItemTracer::tsNone);
    anchor->setLayer(markerLayer_);
    markerMark_ = new QCPItemText(plot);
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

bool ChartWindow::AddCurve(int row) {
    if (!table_) return false;
    std::optional<CurvePoints> curve = BuildCurve(*table_, curves_, row);
    if (!curve || !plottedRows_.Append(row)) return false;

    QCPGraph* graph = AddCurveGraph(*plot, RowTitle(*table_, row), *curve);
    plotted_.push_back({graph, curve->rate, curve->extent});
    return true;
}

DataExtent ChartWindow::CurvesExtent() const {
    DataExtent all;
    for (const PlottedCurve& curve : plotted_) all.Include(curve.extent);
    return all;
}

void ChartWindow::FitAutomaticAxes() {
    const DataExtent data = CurvesExtent();
    if (data.empty) return;
    if (bottomAutomatic_) SetBottomEnds(AutomaticEnds(data.minX, data.maxX));
    if (leftAutomatic_) SetLeftEnds(AutomaticEnds(data.minY, data.maxY));
}

void ChartWindow::AddRow(int row) {
    if (!open_ || !table_ || seriesCounter_ >= table_->GridRowCount() || plottedRows_.Full())
        return;
    if (!AddCurve(row)) return;
    ++seriesCounter_;
    FitAutomaticAxes();
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartWindow::OnPrintClicked() {
    if (!table_ || printing_) return;
    printButton->setEnabled(false);
    printing_ = true;
    {
        TestRecordReport report(*table_, plottedRows_.Rows(), *plot, language_());
        // Named after the archive of the window that charted it.
        const QString archive = parentWidget() ? parentWidget()->windowFilePath() : QString();
        ShowPrintPreview(report, this, QFileInfo(archive).completeBaseName(), language_());
    }
    printing_ = false;
    printButton->setEnabled(true);
}

void ChartWindow::OnSaveChartAsClicked() {
    const Language language = language_();
    const QString path =
        AskSaveFileName(this, TextIn(kSaveChartAs, language), ChartPictureFilters(),
                        ChartTextOf(ChartText::Caption, language) + QStringLiteral(".png"));
    if (path.isEmpty()) return;
    QString reason;
    bool saved = false;
    if (IsCurvesCsvPath(path) && table_) {
        const QByteArray csv = CurvesCsv(*table_, curves_, plottedRows_.Rows());
        saved = SaveDurably(
            path,
            [&csv](QIODevice& file, QString* why) {
                if (file.write(csv) == csv.size()) return true;
                *why = file.errorString();
                return false;
            },
            &reason);
    } else {
        saved = SaveChartPicture(*plot, path, &reason);
    }
    if (!saved) ReportFileNotSaved(path, reason, language_());
}

void ChartWindow::closeEvent(QCloseEvent* event) {
    // While its print preview is open the window stays, as does its button's handler below it.
    if (printing_) {
        event->ignore();
        return;
    }
    EndPlot();
    QWidget::closeEvent(event);
}

void ChartWindow::EndPlot() {
    // Until it is deleted, a closing window takes no more rows: the next double click opens a
    // new one.
    plottedRows_.Clear();
    open_ = false;
}

AxisEnds ChartWindow::BottomEnds() const {
    const QCPRange range = plot->xAxis->range();
    return {range.lower, range.upper};
}

AxisEnds ChartWindow::LeftEnds() const {
    const QCPRange range = plot->yAxis->range();
    return {range.lower, range.upper};
}

void ChartWindow::SetBottomEnds(const AxisEnds& ends) {
    plot->xAxis->setRange(ends.Minimum(), ends.Maximum());
}

void ChartWindow::SetLeftEnds(const AxisEnds& ends) {
    plot->yAxis->setRange(ends.Minimum(), ends.Maximum());
}

void ChartTableRow(QPointer<ChartWindow>& chart, ArchiveTable& table, const CurveStore& curves,
                   int row, bool rowSelectedThroughNumberCell, QWidget* mainWindow,
                   const LanguageSource& language) {
    if (!rowSelectedThroughNumberCell || row < 1 || row >= table.GridRowCount()) return;
    if (chart && chart->Open()) {
        chart->AddRow(row);
        return;
    }
    if (table.IsEmpty()) {
        const Language now = language();
        LocalizedMessageBox(MainTextOf(MainText::ArchiveNotRead, now), TextIn(kWarningCaption, now),
                            box::kError, now);
        return;
    }
    chart = new ChartWindow(table, curves, row, language, mainWindow);
    chart->show();
}

}  // namespace porvel
