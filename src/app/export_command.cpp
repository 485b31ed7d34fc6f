#include "export_command.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressDialog>

#include "archive/archive_table.h"
#include "archive/table_rows.h"
#include "file_commands.h"
#include "output/spreadsheet_export.h"
#include "ui/design_metrics.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"
#include "ui/user_settings.h"

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

// The extension without its dot that a name typed without one gets under filter entry
// `filterIndex`. "All Files" writes a workbook of the newer kind, which is what a name without a
// known extension gets.
QString ExportSuffix(int filterIndex) {
    static const char* const kSuffixes[] = {"xls", "xlsx", "xlsx", "csv"};
    return QLatin1String(filterIndex >= 0 && filterIndex < 4 ? kSuffixes[filterIndex] : "xls");
}

// A name typed without an extension gets the chosen type's, so that other programs know the
// file, and the dialog asks before that replaces a file of the full name. A name typed whole
// replaces its file without a question, as the export always has.
class ExportFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override {
        const auto* nameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const bool typedWhole = nameEdit && !QFileInfo(nameEdit->text()).suffix().isEmpty();
        setOption(QFileDialog::DontConfirmOverwrite, typedWhole);
        QFileDialog::accept();
    }
};

}  // namespace

QString TypeChangedName(const QString& path, int filterIndex) {
    const QString extension = QLatin1Char('.') + ExportSuffix(filterIndex == 2 ? 0 : filterIndex);
    return path.contains(extension) ? path : path + extension;
}

QString QtExportDialogs::AskExportPath(const QString& fileName) {
    ExportFileDialog dialog(parent_, MainTextOf(MainText::ExportToExcel, language_()));
    dialog.setObjectName(QStringLiteral("AskExportPath"));
    // The toolkit's own dialog: its typed name can be read and changed on a type change.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = NameFilters(kExportFilter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(ExportSuffix(0));
    SizeFileDialog(dialog);
    settings::StartInLastFolder(dialog);
    dialog.selectFile(fileName);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters](const QString& filter) {
                         const int index = filters.indexOf(filter);
                         dialog.setDefaultSuffix(ExportSuffix(index));
                         const QFileInfo typed(dialog.selectedFiles().value(0));
                         // With the name field empty the dialog names its folder; the first
                         // name is proposed then, of the chosen type.
                         const QString name = typed.isDir() || typed.fileName().isEmpty()
                                                  ? QFileInfo(kExportFileName).completeBaseName()
                                                  : typed.fileName();
                         dialog.selectFile(TypeChangedName(name, index));
                     });
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString path = dialog.selectedFiles().value(0);
    settings::RememberFolderOf(path);
    return path;
}

ExportCommand::ExportCommand(const ArchiveTable& table, QWidget& window, LanguageSource language,
                             QObject* parent)
    : QObject(parent),
      table_(table),
      window_(window),
      language_(std::move(language)),
      ownDialogs_(std::make_unique<QtExportDialogs>(&window, language_)),
      dialogs_(ownDialogs_.get()) {}

ExportCommand::~ExportCommand() = default;

void ExportCommand::Connect(QAction* exportAction) {
    exportAction->setEnabled(true);
    connect(exportAction, &QAction::triggered, this, &ExportCommand::ExportArchive);
}

void ExportCommand::ExportArchive() {
    const QString path = dialogs_->AskExportPath(fileName_);
    if (path.isEmpty()) return;
    fileName_ = path;
    const Language lang = language_();
    if (table_.IsEmpty()) {
        LocalizedMessageBox(MainTextOf(MainText::ArchiveNotRead, lang),
                            MainTextOf(MainText::Error, lang), box::kError, lang);
        return;
    }
    ExportGridToExcel(table_, MainTextOf(MainText::ArchiveTitle, lang), path);
}

void ExportCommand::ExportRows(const std::vector<int>& rows) {
    const QString path = dialogs_->AskExportPath(fileName_);
    if (path.isEmpty()) return;
    fileName_ = path;
    ArchiveTable series;
    CopyRowsInto(table_, rows, series);
    ExportGridToExcel(series, MainTextOf(MainText::ArchiveTitle, language_()), path);
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
                progress->setWindowTitle(MainTextOf(MainText::ExportToExcel, language_()));
                progress->setCancelButton(nullptr);
                progress->setWindowModality(Qt::ApplicationModal);
                progress->setMinimumDuration(0);
                progress->setRange(0, total);
            }
            if (progress) progress->setValue(done);
        });
    }
    if (!result.ok) {
        const Language lang = language_();
        LocalizedMessageBox(MainTextOf(MainText::ExportError, lang) + QLatin1Char('\n') +
                                QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                                result.reason,
                            TextIn(kWarningCaption, lang), box::kError, lang);
        return false;
    }
    fileName_.clear();
    return true;
}

}  // namespace porvel
