// ChartWindow: the chart window with the pressure curves of chosen archive rows, and the archive
// table's double click that opens it or adds a curve to it.
#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

#include "axis_drag.h"
#include "base/language.h"
#include "plot/axis_ends.h"
#include "plotted_rows.h"

class QCPGraph;
class QCPItemText;
class QCPItemTracer;
class QCPLayer;
class QAction;
class QMenu;
class QPushButton;
class QStatusBar;
class QWidget;

namespace porvel {

class ArchiveTable;
class ChartControl;
class CurveStore;

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    // Plots the curve of `row` at once. The window reads `table` and `curves` for the curves it
    // adds later; both outlive it. Its captions are in the language of its opening; the readout,
    // the printout and the messages follow `language` as it is then.
    ChartWindow(ArchiveTable& table, const CurveStore& curves, int row, LanguageSource language,
                QWidget* parent = nullptr);

    ChartControl* plot;
    QPushButton* printButton;
    QStatusBar* statusBar;
    // The chart's context menu with "Save chart as…".
    QMenu* chartMenu;
    QAction* saveChartAsAction;

    // Adds the curve of `row` after those shown. Nothing is added once the window is closing,
    // after as many curves beyond the first as the table has data rows, with PlottedRows full,
    // or for a row without a readable curve.
    void AddRow(int row);
    // From the window's creation until it closes.
    bool Open() const { return open_; }
    // The rows whose curves are shown, in the order they were added; emptied at the close.
    const PlottedRows& Plotted() const { return plottedRows_; }
    // 1 once the window has its marker series; one more for each curve added after the first.
    int SeriesCounter() const { return seriesCounter_; }
    // Prints the plotted measurements as a test record through its print preview; meanwhile
    // the button is off and the window cannot be closed.
    void OnPrintClicked();
    // Asks for a file name and writes the chart as shown to it.
    void OnSaveChartAsClicked();
    bool Printing() const { return printing_; }
    void OnPlotMouseMove(QMouseEvent* event);
    void OnPlotMousePress(QMouseEvent* event);
    void OnPlotMouseRelease(QMouseEvent* event);
    void OnPlotDoubleClick();
    void UndoZoom();

    void SetOptimalTopMarginToLeftAxis();
    void SetOptimalBottomMarginToLeftAxis();
    void SetOptimalLeftMarginToBottomAxis();
    void SetOptimalRightMarginToBottomAxis();

    // The axes and the drag as the handlers see them.
    AxisEnds BottomEnds() const;
    AxisEnds LeftEnds() const;
    bool BottomAutomatic() const { return bottomAutomatic_; }
    bool LeftAutomatic() const { return leftAutomatic_; }
    DragMode CurrentDragMode() const { return drag_.Mode(); }
    bool RefitRequested() const { return drag_.RefitRequested(); }
    // Extent of every plotted curve's points.
    DataExtent CurvesExtent() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static constexpr double kMarkerSize = 8.0;  // diameter of the marker's circle, pixels

    struct PlottedCurve {
        QCPGraph* graph;
        double rate;
        DataExtent extent;
    };

    void StartPlot(int row);
    void EndPlot();
    void BuildControls();
    void WireChartEvents();
    void CreateMarkerSeries();
    bool AddCurve(int row);
    void FitAutomaticAxes();
    void ShowReadout(QPoint pos);
    void MarkPointUnderPointer(QPoint pos);
    void RefreshReadout();
    void HideMarker();
    void DragOutsidePlot(QPoint pos);
    void Refit(AxisEnd end);
    void ColourLabels(DragMode mode);
    void SetBottomEnds(const AxisEnds& ends);
    void SetLeftEnds(const AxisEnds& ends);

    QPointer<ArchiveTable> table_;
    const CurveStore& curves_;
    const LanguageSource language_;
    std::vector<PlottedCurve> plotted_;
    PlottedRows plottedRows_;
    int seriesCounter_ = 0;
    bool open_ = false;
    QCPLayer* markerLayer_ = nullptr;
    QCPGraph* marker_ = nullptr;
    QCPItemTracer* markerAnchor_ = nullptr;
    QCPItemText* markerMark_ = nullptr;
    const QCPGraph* markedGraph_ = nullptr;
    int markedIndex_ = -1;
    std::optional<QPoint> pointer_;  // the last pointer position over the chart, if still there
    AxisDrag drag_;
    bool bottomAutomatic_ = true;
    bool leftAutomatic_ = true;
    bool printing_ = false;
};

// Acts only when the last click selected the whole row `row` through its number cell
// (`rowSelectedThroughNumberCell`) and `row` is a data row (1 .. GridRowCount() - 1 of `table`,
// row 0 being the header). Then:
// - with `chart` open, the row's curve is added to it;
// - on an empty table a message says the archive has not been read, in `language`'s language;
// - otherwise a chart window opens with the row's curve, not modal, and `chart` keeps it.
//   `mainWindow` becomes its owner (it is closed with it and does not keep the program
//   running); null is allowed.
void ChartTableRow(QPointer<ChartWindow>& chart, ArchiveTable& table, const CurveStore& curves,
                   int row, bool rowSelectedThroughNumberCell, QWidget* mainWindow,
                   const LanguageSource& language);

}  // namespace porvel
