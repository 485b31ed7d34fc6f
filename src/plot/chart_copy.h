// The chart as the chart window sets it up and fills it, for the window and for callers without
// a window; copies of a chart for the test record, and a chart painted as vectors.
#pragma once

#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

#include "base/language.h"

class QCPGraph;
class QCPPainter;
class QCustomPlot;

namespace porvel {

class ArchiveTable;
class CurveStore;
struct CurvePoints;

// The window's look: white, the legend inside the plot's lower right corner with a dotted
// border, and the axis titles in `language`.
void SetUpChart(QCustomPlot& chart, Language language);

// A line series for one curve, titled `title`, in the automatic colour of its place.
QCPGraph* AddCurveGraph(QCustomPlot& chart, const QString& title, const CurvePoints& curve);

// The chart as the chart window first shows it with the curves of `rows`, in that order: set up,
// the curves that can be built, both axes fitted to them. The rows whose curves were plotted.
std::vector<int> PlotRows(QCustomPlot& chart, const ArchiveTable& table, const CurveStore& curves,
                          const std::vector<int>& rows, Language language);

// Whether a copy of the chart keeps the pointer's marker: a saved picture shows the chart as the
// window does, a printed record the curves alone.
enum class PointerMarker { Keep, Leave };

// Makes `to` a copy of `from` as shown: axes with their ranges, titles and fonts, the legend,
// every series with its points and the texts standing in the plot, the marker's series (the
// first, kept empty when the marker is left) and its value mark as `marker` says. Fonts become
// pixel sizes, so that the copy keeps its proportions at any scale.
void CopyChart(const QCustomPlot& from, QCustomPlot& to,
               PointerMarker marker = PointerMarker::Keep);

// Paints `chart` as vectors into `target` (in `painter`'s units), laid out as if it were a
// `logical`-pixel chart and scaled to fit.
void PaintChart(QCustomPlot& chart, QCPPainter& painter, const QRectF& target, QSize logical);

}  // namespace porvel
