// The modal print preview of a report, from which the user prints on paper, with a "PDF" action
// in its tool bar that writes the same pages to a PDF file; and the save dialog that the PDF
// action and the chart's pictures share.
#pragma once

#include <QString>
#include <QStringList>

#include "base/language.h"

class QWidget;

namespace porvel {

class BandedReport;

inline constexpr TextPair kSavePdfText = {u"Сохранить в PDF…", u"Save as PDF…"};
inline constexpr TextPair kPdfNotSaved = {u"Не удалось сохранить файл", u"The file was not saved"};
inline constexpr TextPair kPrintFailed = {u"Не удалось напечатать", u"Printing failed"};

// Shows `report` in the print preview, modal over `parent`, titled with the report's title, until
// the user closes it. Every showing and every print is a new pass over the report. A page device
// that refuses to print is reported with a message. Its PDF action proposes `pdfBaseName` with
// ".pdf" (the caller knows what the pages are of, such as the archive's name); an empty one
// proposes the report's title.
void ShowPrintPreview(BandedReport& report, QWidget* parent, const QString& pdfBaseName,
                      Language language);

// The toolkit's save dialog over `parent` with `title`, name filters such as "PDF (*.pdf)" and
// `fileName` proposed; it asks before overwriting. The chosen path, empty when cancelled. A
// name typed without an extension gets the one of the chosen filter.
QString AskSaveFileName(QWidget* parent, const QString& title, const QStringList& filters,
                        const QString& fileName);

// Writes `report` as a PDF file to `path`; a failure is told in a message with the file and the
// reason. True when the file was written.
bool SaveReportPdf(BandedReport& report, const QString& path, Language language);

// Tells the user that `path` could not be written, and why.
void ReportFileNotSaved(const QString& path, const QString& reason, Language language);

}  // namespace porvel
