#include "print_preview.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QToolBar>

#include "banded_report.h"
#include "ui/design_metrics.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"
#include "ui/user_settings.h"

namespace porvel {

namespace {

// "PDF (*.pdf)": pdf.
QString ExtensionOfFilter(const QString& filter) {
    static const QRegularExpression kPattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = kPattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

QString AskSaveFileName(QWidget* parent, const QString& title, const QStringList& filters,
                        const QString& fileName) {
    QFileDialog dialog(parent, title);
    dialog.setObjectName(QStringLiteral("SaveReportDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    // A name typed without an extension takes the chosen filter's before the dialog looks for an
    // existing file, so that its question about replacing one is asked of the real name.
    dialog.setDefaultSuffix(ExtensionOfFilter(filters.value(0)));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(ExtensionOfFilter(filter)); });
    SizeFileDialog(dialog);
    settings::StartInLastFolder(dialog);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString path = dialog.selectedFiles().value(0);
    settings::RememberFolderOf(path);
    return path;
}

void ReportFileNotSaved(const QString& path, const QString& reason, Language language) {
    LocalizedMessageBox(TextIn(kPdfNotSaved, language) + QLatin1Char('\n') +
                            QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason,
                        TextIn(kWarningCaption, language), box::kError, language);
}

bool SaveReportPdf(BandedReport& report, const QString& path, Language language) {
    QString reason;
    if (WriteReportPdf(report, path, &reason)) return true;
    ReportFileNotSaved(path, reason, language);
    return false;
}

void ShowPrintPreview(BandedReport& report, QWidget* parent, const QString& pdfBaseName,
                      Language language) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout());
    printer.setDocName(report.Title());

    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(report.Title());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&report, language](QPrinter* target) {
                         QString reason;
                         if (RenderReport(report, *target, &reason)) return;
                         LocalizedMessageBox(
                             TextIn(kPrintFailed, language) + QStringLiteral(": ") + reason,
                             TextIn(kWarningCaption, language), box::kError, language);
                     });

    if (auto* bar = dialog.findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* pdf = bar->addAction(QStringLiteral("PDF"));
        pdf->setObjectName(QStringLiteral("PdfAction"));
        pdf->setToolTip(TextIn(kSavePdfText, language));
        const QString proposed =
            (pdfBaseName.isEmpty() ? report.Title() : pdfBaseName) + QStringLiteral(".pdf");
        QObject::connect(pdf, &QAction::triggered, &dialog, [&report, &dialog, language, proposed] {
            const QString path = AskSaveFileName(&dialog, TextIn(kSavePdfText, language),
                                                 {QStringLiteral("PDF (*.pdf)")}, proposed);
            if (!path.isEmpty()) SaveReportPdf(report, path, language);
        });
    }
    dialog.exec();
}

}  // namespace porvel
