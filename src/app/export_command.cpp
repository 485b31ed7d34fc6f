#include "export_command.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QProgressDialog>

#include "archive/archive_table.h"
#include "file_commands.h"
#include "output/spreadsheet_export.h"
#include "ui/design_metrics.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"

namespace porvel {
namespace {

// The wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

QString TypeChangedName(const QString& path, int filterIndex) {
    static const QString kExtensions[] = {QStringLiteral(".xls"), QStringLiteral(".xlsx"),
                                          QStringLiteral(".xls"), QStringLiteral(".csv")};
    const QString& extension =
        filterIndex >= 0 && filterIndex < 4 ? kExtensions[filterIndex] : kExtensions[0];
    return path.contains(extension) ? path : path + extension;
}

QString QtExportDialogs::SaveDialog1(const QString& fileName) {
    QFileDialog dialog(parent_, MainTextOf(MainText::ExportToExcel, CurrentLanguage()));
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    // The toolkit's own dialog: its typed name can be read and changed on a type change.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = NameFilters(kExportFilter);
    dialog.setNameFilters(filters);
    SizeFileDialog(dialog);
    dialog.selectFile(fileName);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters](const QString& filter) {
                         // SaveDialog1TypeChange
                         const QString path = dialog.selectedFiles().value(0);
                         const QString name = QFileInfo(path).fileName();
                         if (!name.isEmpty())
                             dialog.selectFile(TypeChangedName(name, filters.indexOf(filter)));
                     });
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

ExportCommand::ExportCommand(const ArchiveTable& table, QWidget& window, QObject* parent)
    : QObject(parent),
      table_(table),
      window_(window),
      ownDialogs_(std::make_unique<QtExportDialogs>(&window)),
      dialogs_(ownDialogs_.get()) {}

ExportCommand::~ExportCommand() = default;

void ExportCommand::Connect(QAction* saveExel) {
    saveExel->setEnabled(true);
    connect(saveExel, &QAction::triggered, this, &ExportCommand::SaveExelClick);
}

void ExportCommand::SaveExelClick() {
    const QString path = dialogs_->SaveDialog1(fileName_);
    if (path.isEmpty()) return;
    fileName_ = path;
    const Language lang = CurrentLanguage();
    if (table_.IsEmpty()) {
        LocalizedMessageBox(MainTextOf(MainText::ArchiveNotRead, lang),
                            MainTextOf(MainText::Error, lang), box::kError);
        return;
    }
    ExportGridToExcel(table_, MainTextOf(MainText::ArchiveTitle, lang), path);
}

bool ExportCommand::ExportGridToExcel(const ArchiveTable& table, const QString& title,
                                      const QString& path) {
    ExportResult result;
    {
        const WaitCursor wait;
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<QProgressDialog> progress;
        result = ExportTable(table, title, path, [&](int done, int total) {
            if (!progress && clock.elapsed() > kProgressDelayMs) {
                progress = std::make_unique<QProgressDialog>(&window_);
                progress->setObjectName(QStringLiteral("ExportProgress"));
                progress->setWindowTitle(MainTextOf(MainText::ExportToExcel, CurrentLanguage()));
                progress->setCancelButton(nullptr);
                progress->setWindowModality(Qt::ApplicationModal);
                progress->setMinimumDuration(0);
                progress->setRange(0, total);
            }
            if (progress) progress->setValue(done);
        });
    }
    if (!result.ok) {
        const Language lang = CurrentLanguage();
        LocalizedMessageBox(MainTextOf(MainText::ExportError, lang) + QLatin1Char('\n') +
                                QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                                result.reason,
                            TextIn(kWarningCaption, lang), box::kError);
        return false;
    }
    fileName_.clear();
    return true;
}

}  // namespace porvel
