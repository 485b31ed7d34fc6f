#include "file_commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

#include "archive/archive_file.h"
#include "archive/archive_table.h"
#include "archive/free_name.h"
#include "device/exchange_types.h"
#include "ui/design_metrics.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"
#include "ui/user_settings.h"

namespace porvel {

QString WindowCaption(const FileState& state, Language language) {
    QString caption = MainTextOf(MainText::ProductName, language);
    if (state.named) caption += QStringLiteral(" - ") + state.fileName;
    if (state.modified) caption += QLatin1Char('*');
    return caption;
}

QString MarkModified(FileState& state, const QString& caption) {
    const bool wasModified = state.modified;
    state.modified = true;
    return wasModified ? caption : caption + QLatin1Char('*');
}

QString MarkRowDeleted(FileState& state, const QString& caption) {
    state.named = true;
    return MarkModified(state, caption);
}

namespace {

void Prepare(QFileDialog& dialog, const char* name) {
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setNameFilters(NameFilters(kArchiveFilter));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    SizeFileDialog(dialog);
    settings::StartInLastFolder(dialog);
}

QString Run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString path = dialog.selectedFiles().value(0);
    settings::RememberFolderOf(path);
    return path;
}

}  // namespace

QStringList NameFilters(const QString& barFilter) {
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    return filters;
}

QString QtArchiveDialogs::AskOpenPath() {
    QFileDialog dialog(parent_);
    Prepare(dialog, "AskOpenPath");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog);
}

QString QtArchiveDialogs::AskSavePath() {
    QFileDialog dialog(parent_, MainTextOf(MainText::SaveAs, language_()));
    Prepare(dialog, "AskSavePath");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(kArchiveSuffix);
    dialog.selectFile(kSaveDialogFileName);
    return Run(dialog);
}

FileCommands::FileCommands(ArchiveTable& table, CurveStore& curves, FileState& state,
                           QWidget& window, LanguageSource language, QObject* parent)
    : QObject(parent),
      table_(table),
      curves_(curves),
      state_(state),
      window_(window),
      language_(std::move(language)),
      ownDialogs_(std::make_unique<QtArchiveDialogs>(&window, language_)),
      dialogs_(ownDialogs_.get()),
      programFolder_(QCoreApplication::applicationDirPath()) {}

FileCommands::~FileCommands() = default;

void FileCommands::Connect(QAction* newItem, QAction* open, QAction* save, QAction* saveAs) {
    for (QAction* item : {newItem, open, save, saveAs}) item->setEnabled(true);
    connect(newItem, &QAction::triggered, this, &FileCommands::NewArchive);
    connect(open, &QAction::triggered, this, &FileCommands::OpenArchive);
    connect(save, &QAction::triggered, this, &FileCommands::SaveArchive);
    connect(saveAs, &QAction::triggered, this, &FileCommands::SaveArchiveAs);
}

void FileCommands::NewArchive() {
    // A save the user asked for that failed keeps the table: nothing is thrown away unsaved.
    if (!AskToSaveChanges()) return;
    if (!table_.IsEmpty()) {
        table_.SetGridRowCount(ArchiveTable::kMinRows);
        table_.ClearRow(1);
    }
    state_.modified = true;
    state_.named = true;
    if (state_.folder.isEmpty() && state_.fileName.isEmpty()) {
        state_.folder = programFolder_;
        state_.fileName = kFirstArchiveName;
    }
    state_.fileName = NextFreeName(state_.folder, state_.fileName);
    ShowCaption();
    emit ArchiveReplaced();
}

void FileCommands::TableChanged() {
    state_.modified = true;
    ShowCaption();
}

ArchiveFileResult FileCommands::OpenRecovered(const QString& path, const QString& archivePath) {
    const ArchiveFileResult result = ReadArchiveFile(path, table_, curves_);
    if (!result.Ok()) return result;
    state_ = FileState{};
    if (!archivePath.isEmpty()) TakeFileName(archivePath);
    state_.modified = true;
    ShowCaption();
    emit ArchiveReplaced();
    return result;
}

// Open replaces the table: unsaved work is asked about first, and Cancel keeps it.
void FileCommands::OpenArchive() {
    if (!AskToSaveChanges()) return;
    const QString path = dialogs_->AskOpenPath();
    if (!path.isEmpty()) Open(path);
}

bool FileCommands::OpenCommandLine(const QStringList& arguments) {
    return AskToSaveChanges() && Open(arguments.join(QLatin1Char(' ')));
}

bool FileCommands::OpenPath(const QString& path) {
    return AskToSaveChanges() && Open(path);
}

bool FileCommands::OpenDropped(const QString& path) {
    if (QFileInfo(path).suffix().compare(kArchiveSuffix, Qt::CaseInsensitive) != 0) {
        ShowError(NotAnArchiveMessage(path, language_()));
        return false;
    }
    return OpenPath(path);
}

void FileCommands::SaveArchive() {
    if (!state_.modified) return;
    if (table_.IsEmpty()) {
        ShowError(MainTextOf(MainText::ArchiveNotRead, language_()));
        return;
    }
    // Nowhere to save to yet: the user names the file, as with Save As.
    if (!HasFileName()) {
        SaveArchiveAs();
        return;
    }
    if (!Write(CurrentPath())) return;
    state_.named = true;
    state_.modified = false;
    ShowCaption();
    emit ArchiveInFile();
}

void FileCommands::SaveArchiveAs() {
    const QString path = dialogs_->AskSavePath();
    if (path.isEmpty()) return;
    if (table_.IsEmpty()) {
        ShowError(MainTextOf(MainText::ArchiveNotRead, language_()));
        return;
    }
    if (!Write(path)) return;
    // A named archive keeps its name: the file just written is a copy.
    if (HasFileName()) return;
    TakeFileName(path);
    state_.modified = false;
    ShowCaption();
    emit ArchiveInFile();
}

bool FileCommands::AskToSaveChanges() {
    if (table_.IsEmpty() || !state_.modified) return true;
    const Language lang = language_();
    const QString caption = TextIn(kWarningCaption, lang);
    const QString question = MainTextOf(MainText::Save, lang) + QLatin1Char(' ') + state_.fileName +
                             QStringLiteral(" ?");
    // No goes on without saving; Cancel, or a box closed unanswered, stops what asked, so that
    // nothing unsaved is thrown away.
    const int answer = LocalizedMessageBox(question, caption, box::kQuestion, lang);
    if (answer == box::kIdNo) return true;
    if (answer != box::kIdYes) return false;
    if (!HasFileName()) {
        // Yes to saving, then no file chosen: nothing was saved, so nothing may be dropped.
        const QString path = dialogs_->AskSavePath();
        return !path.isEmpty() && Write(path);
    }
    const QString path = CurrentPath();
    const QString replace = MainTextOf(MainText::FileExistsFirst, lang) + state_.fileName +
                            MainTextOf(MainText::FileExistsSecond, lang);
    // No to replacing means the work the user wanted kept was not written: stop, as Cancel
    // does, rather than drop it.
    if (QFileInfo::exists(path) &&
        LocalizedMessageBox(replace, caption, box::kQuestion, lang) != box::kIdYes)
        return false;
    return Write(path);
}

QString FileCommands::CurrentPath() const {
    return QDir(state_.folder).filePath(state_.fileName);
}

bool FileCommands::Open(const QString& path) {
    const ArchiveFileResult result = ReadArchiveFile(path, table_, curves_);
    if (!result.Ok()) {
        ShowError(FileFaultMessage(FileOperation::Open, path, result, language_()));
        return false;
    }
    TakeFileName(path);
    state_.modified = false;
    ShowCaption();
    emit ArchiveReplaced();
    emit ArchiveInFile();
    return true;
}

bool FileCommands::Write(const QString& path) {
    const ArchiveFileResult result = WriteArchiveFile(table_, curves_, path);
    if (!result.Ok()) ShowError(FileFaultMessage(FileOperation::Save, path, result, language_()));
    return result.Ok();
}

QString FileCommands::ArchivePath() const {
    return HasFileName() ? CurrentPath() : QString();
}

bool FileCommands::HasFileName() const {
    return state_.named && !state_.fileName.isEmpty();
}

void FileCommands::TakeFileName(const QString& path) {
    const QFileInfo file(path);
    state_.folder = file.absolutePath();
    state_.fileName = file.fileName();
    state_.named = true;
}

void FileCommands::ShowCaption() {
    window_.setWindowTitle(WindowCaption(state_, language_()));
    const QString path = ArchivePath();
    window_.setWindowFilePath(path.isEmpty() ? kSaveDialogFileName : path);
}

void FileCommands::ShowError(const QString& text) {
    const Language lang = language_();
    LocalizedMessageBox(text, MainTextOf(MainText::Error, lang), box::kError, lang);
}

}  // namespace porvel
