#include "file_commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "archive/archive_file.h"
#include "archive/archive_table.h"
#include "archive/free_name.h"
#include "archive_dialogs.h"
#include "device/exchange_types.h"
#include "file_state.h"
#include "file_texts.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"

namespace porvel {

FileCommands::FileCommands(ArchiveTable& table, CurveStore& curves, FileState& state,
                           QWidget& window, QObject* parent)
    : QObject(parent),
      table_(table),
      curves_(curves),
      state_(state),
      window_(window),
      ownDialogs_(std::make_unique<QtArchiveDialogs>(&window)),
      dialogs_(ownDialogs_.get()),
      programFolder_(QCoreApplication::applicationDirPath()) {}

FileCommands::~FileCommands() = default;

void FileCommands::Connect(QAction* newItem, QAction* open, QAction* save, QAction* saveAs) {
    for (QAction* item : {newItem, open, save, saveAs}) item->setEnabled(true);
    connect(newItem, &QAction::triggered, this, &FileCommands::NewClick);
    connect(open, &QAction::triggered, this, &FileCommands::Action1Execute);
    connect(save, &QAction::triggered, this, &FileCommands::SaveClick);
    connect(saveAs, &QAction::triggered, this, &FileCommands::SaveAsClick);
}

void FileCommands::NewClick() {
    // A save the user asked for that failed keeps the table: nothing is thrown away unsaved.
    if (!Action2Execute()) return;
    if (!table_.IsEmpty()) {
        table_.SetRowCount(ArchiveTable::kMinRows);
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
}

void FileCommands::Action1Execute() {
    const QString path = dialogs_->OpenDialog1();
    if (!path.isEmpty()) Open(path);
}

bool FileCommands::OpenCommandLine(const QStringList& arguments) {
    return Open(arguments.join(QLatin1Char(' ')));
}

void FileCommands::SaveClick() {
    if (!state_.modified) return;
    if (table_.IsEmpty()) {
        ShowError(MainTextOf(MainText::ArchiveNotRead, CurrentLanguage()));
        return;
    }
    // Nowhere to save to yet: the user names the file, as with Save As.
    if (!HasFileName()) {
        SaveAsClick();
        return;
    }
    if (!Write(CurrentPath())) return;
    state_.named = true;
    state_.modified = false;
    ShowCaption();
}

void FileCommands::SaveAsClick() {
    const QString path = dialogs_->SaveDialog2();
    if (path.isEmpty()) return;
    if (table_.IsEmpty()) {
        ShowError(MainTextOf(MainText::ArchiveNotRead, CurrentLanguage()));
        return;
    }
    if (!Write(path)) return;
    // A named archive keeps its name: the file just written is a copy.
    if (HasFileName()) return;
    TakeFileName(path);
    state_.modified = false;
    ShowCaption();
}

bool FileCommands::Action2Execute() {
    if (table_.IsEmpty() || !state_.modified) return true;
    const Language lang = CurrentLanguage();
    const QString caption = TextIn(kWarningCaption, lang);
    const QString question = MainTextOf(MainText::Save, lang) + QLatin1Char(' ') + state_.fileName +
                             QStringLiteral(" ?");
    if (LocalizedMessageBox(question, caption, box::kQuestion) != box::kIdYes) return true;
    if (!HasFileName()) {
        // Yes to saving, then no file chosen: nothing was saved, so nothing may be dropped.
        const QString path = dialogs_->SaveDialog2();
        return !path.isEmpty() && Write(path);
    }
    const QString path = CurrentPath();
    const QString replace = MainTextOf(MainText::FileExistsFirst, lang) + state_.fileName +
                            MainTextOf(MainText::FileExistsSecond, lang);
    if (QFileInfo::exists(path) &&
        LocalizedMessageBox(replace, caption, box::kQuestion) != box::kIdYes)
        return true;
    return Write(path);
}

QString FileCommands::CurrentPath() const {
    return QDir(state_.folder).filePath(state_.fileName);
}

bool FileCommands::Open(const QString& path) {
    const ArchiveFileResult result = ReadArchiveFile(path, table_, curves_);
    if (!result.Ok()) {
        ShowError(FileFaultMessage(FileOperation::Open, path, result, CurrentLanguage()));
        return false;
    }
    TheExchange().recordCount = static_cast<unsigned>(result.dataRows);
    TakeFileName(path);
    state_.modified = false;
    ShowCaption();
    return true;
}

bool FileCommands::Write(const QString& path) {
    const ArchiveFileResult result = WriteArchiveFile(table_, curves_, path);
    if (!result.Ok())
        ShowError(FileFaultMessage(FileOperation::Save, path, result, CurrentLanguage()));
    return result.Ok();
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
    window_.setWindowTitle(WindowCaption(state_, CurrentLanguage()));
}

void FileCommands::ShowError(const QString& text) {
    LocalizedMessageBox(text, MainTextOf(MainText::Error, CurrentLanguage()), box::kError);
}

}  // namespace porvel
