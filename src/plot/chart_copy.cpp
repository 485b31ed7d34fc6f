#include "chart_copy.h"

#include <qcustomplot.h>

#include <cmath>

#include "archive/archive_table.h"
#include "axis_ends.h"
#include "chart_texts.h"
#include "curve_builder.h"

namespace porvel {
namespace {

constexpr int kLegendGap = 6;
constexpr int kLegendAlpha = 225;  // the grid shows faintly through the legend
// Point sizes become pixels as on a screen of 96 pixels per inch.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

QFont InPixels(QFont font) {
    if (font.pixelSize() <= 0)
        font.setPixelSize(
            std::max(1, static_cast<int>(std::lround(font.pointSizeF() * kPixelsPerPoint))));
    return font;
}

void CopyAxis(const QCPAxis& from, QCPAxis& to) {
    to.setVisible(from.visible());
    to.setRange(from.range());
    to.setRangeReversed(from.rangeReversed());
    to.setScaleType(from.scaleType());
    to.setTicker(from.ticker());
    to.setTicks(from.ticks());
    to.setTickLabels(from.tickLabels());
    to.setNumberFormat(from.numberFormat());
    to.setNumberPrecision(from.numberPrecision());
    to.setLabel(from.label());
    to.setLabelFont(InPixels(from.labelFont()));
    to.setLabelColor(from.labelColor());
    to.setTickLabelFont(InPixels(from.tickLabelFont()));
    to.setTickLabelColor(from.tickLabelColor());
    to.setBasePen(from.basePen());
    to.setTickPen(from.tickPen());
    to.setSubTickPen(from.subTickPen());
    to.grid()->setVisible(from.grid()->visible());
    to.grid()->setPen(from.grid()->pen());
    to.grid()->setSubGridVisible(from.grid()->subGridVisible());
    to.grid()->setZeroLinePen(from.grid()->zeroLinePen());
}

// A text standing in the plot (the marker's value mark) at the same place of the plot.
void CopyText(const QCustomPlot& from, const QCPItemText& text, QCustomPlot& to) {
    auto* copy = new QCPItemText(&to);
    const QPointF at = text.position->pixelPosition();
    copy->position->setType(QCPItemPosition::ptPlotCoords);
    copy->position->setCoords(from.xAxis->pixelToCoord(at.x()), from.yAxis->pixelToCoord(at.y()));
    copy->setText(text.text());
    copy->setFont(InPixels(text.font()));
    copy->setColor(text.color());
    copy->setPen(text.pen());
    copy->setBrush(text.brush());
    copy->setPadding(text.padding());
    copy->setPositionAlignment(text.positionAlignment());
    copy->setTextAlignment(text.textAlignment());
    copy->setSelectable(false);
}

}  // namespace

void SetUpChart(QCustomPlot& chart, Language language) {
    chart.setBackground(Qt::white);
    // The legend stands inside the plot's lower right corner, which curves rising from the
    // chamber's vacuum back to the atmosphere leave empty, so that the plot keeps the chart's
    // width.
    QCPLayoutInset* inset = chart.axisRect()->insetLayout();
    inset->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignRight);
    inset->setMargins(QMargins(kLegendGap, kLegendGap, kLegendGap, kLegendGap));
    chart.legend->setVisible(true);
    chart.legend->setBorderPen(QPen(Qt::black, 0, Qt::DotLine));
    chart.legend->setBrush(QColor(255, 255, 255, kLegendAlpha));
    chart.xAxis->setLabel(ChartTextOf(ChartText::BottomAxisTitle, language));
    chart.yAxis->setLabel(ChartTextOf(ChartText::LeftAxisTitle, language));
}

QCPGraph* AddCurveGraph(QCustomPlot& chart, const QString& title, const CurvePoints& curve) {
    QCPGraph* graph = chart.addGraph();
    graph->setName(title);
    graph->setPen(QPen(SeriesColour(chart.graphCount() - 1)));
    graph->setSelectable(QCP::stNone);
    graph->setData(curve.times, curve.pressures, true);
    return graph;
}

std::vector<int> PlotRows(QCustomPlot& chart, const ArchiveTable& table, const CurveStore& curves,
                          const std::vector<int>& rows, Language language) {
    SetUpChart(chart, language);
    chart.clearGraphs();
    // The window's marker series comes first, empty until the pointer marks a point, so that the
    // curves take the same colours as in the window.
    QCPGraph* marker = chart.addGraph();
    marker->removeFromLegend();
    marker->setLineStyle(QCPGraph::lsNone);
    std::vector<int> plotted;
    DataExtent extent;
    for (int row : rows) {
        const std::optional<CurvePoints> curve = BuildCurve(table, curves, row);
        if (!curve) continue;
        AddCurveGraph(chart, RowTitle(table, row), *curve);
        extent.Include(curve->extent);
        plotted.push_back(row);
    }
    if (!extent.empty) {
        const AxisEnds bottom = AutomaticEnds(extent.minX, extent.maxX);
        const AxisEnds left = AutomaticEnds(extent.minY, extent.maxY);
        chart.xAxis->setRange(bottom.Minimum(), bottom.Maximum());
        chart.yAxis->setRange(left.Minimum(), left.Maximum());
    }
    return plotted;
}

void CopyChart(const QCustomPlot& from, QCustomPlot& to, PointerMarker marker) {
    to.clearGraphs();
    to.clearItems();
    to.setBackground(Qt::white);
    CopyAxis(*from.xAxis, *to.xAxis);
    CopyAxis(*from.yAxis, *to.yAxis);
    CopyAxis(*from.xAxis2, *to.xAxis2);
    CopyAxis(*from.yAxis2, *to.yAxis2);

    // The legend's font first: its entries take it when their series are added.
    to.legend->setVisible(from.legend->visible());
    to.legend->setFont(InPixels(from.legend->font()));
    to.legend->setTextColor(from.legend->textColor());
    to.legend->setBorderPen(from.legend->borderPen());
    to.legend->setBrush(from.legend->brush());
    QCPLayoutInset* inset = to.axisRect()->insetLayout();
    inset->setInsetAlignment(0, from.axisRect()->insetLayout()->insetAlignment(0));
    inset->setMargins(from.axisRect()->insetLayout()->margins());

    for (int i = 0; i < from.graphCount(); ++i) {
        const QCPGraph* source = from.graph(i);
        QCPGraph* copy = to.addGraph();
        copy->setName(source->name());
        copy->setPen(source->pen());
        copy->setBrush(source->brush());
        copy->setLineStyle(source->lineStyle());
        copy->setScatterStyle(source->scatterStyle());
        copy->setVisible(source->visible());
        copy->setSelectable(QCP::stNone);
        // The marker's series stays, empty, so the curves keep their colours.
        if (i > 0 || marker == PointerMarker::Keep) copy->data()->set(*source->data());
        if (!from.legend->hasItemWithPlottable(source)) copy->removeFromLegend();
    }
    if (marker == PointerMarker::Leave) return;
    for (int i = 0; i < from.itemCount(); ++i)
        if (const auto* text = qobject_cast<const QCPItemText*>(from.item(i));
            text && text->visible())
            CopyText(from, *text, to);
}

void PaintChart(QCustomPlot& chart, QCPPainter& painter, const QRectF& target, QSize logical) {
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / logical.width(), target.height() / logical.height());
    painter.setClipRect(QRect(QPoint(0, 0), logical));
    chart.toPainter(&painter, logical.width(), logical.height());
    painter.restore();
}

}  // namespace porvel
