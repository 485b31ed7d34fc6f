// "Save chart as…" of the chart window: the chart as shown written to a PNG picture, or as
// vectors to an SVG drawing or a one-page PDF, or its curves' measured samples to CSV, whole or
// not at all.
#pragma once

#include <QString>

#include "base/language.h"

class QCustomPlot;

namespace porvel {

inline constexpr TextPair kSaveChartAs = {u"Сохранить график как…", u"Save chart as…"};

// The dialog's name filters, PNG first, CSV last.
QStringList ChartPictureFilters();
// Whether `path` names the CSV of the curves rather than a picture.
bool IsCurvesCsvPath(const QString& path);

// Writes `chart` at its size on the screen to `path`, the kind by the extension: ".png" a picture,
// ".svg" a drawing, ".pdf" a page of the chart's proportions. False, with the reason, for another
// extension or when the file cannot be written; an older file of that name is then left as it was.
bool SaveChartPicture(QCustomPlot& chart, const QString& path, QString* reason);

}  // namespace porvel
