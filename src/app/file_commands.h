// The archive file commands of the main window (New, Open, Save, Save As and the save prompt),
// the file state they keep with the window caption, their dialogs and their messages.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>

#include "archive/archive_file.h"
#include "base/language.h"

class QWidget;
class QAction;

namespace porvel {

// The archive file the table belongs to, as the main window's caption shows it.
struct FileState {
    QString folder;
    QString fileName;  // without the folder
    bool named = false;
    bool modified = false;
};

// "Porvel", "Porvel - name", either possibly followed by "*".
QString WindowCaption(const FileState& state, Language language);

// After a change the user made to the table: modified, and `caption` gets its "*" unless it
// was modified already.
QString MarkModified(FileState& state, const QString& caption);

// After a table row was deleted: the archive counts as named and modified, and `caption` gets
// its "*" unless it was modified already. The caption is extended, not rebuilt, so an archive
// read from the instrument and never named shows "Porvel*".
QString MarkRowDeleted(FileState& state, const QString& caption);

// The two file dialogs of the archive commands, behind an interface that tests answer.
// Filters are written as description|pattern pairs separated by bars.
inline const QString kArchiveFilter = QStringLiteral("Porvel|*.wpa|All Files|*.*");
inline const QString kSaveDialogFileName = QStringLiteral("Arhive.wpa");
// What a name typed without an extension gets: the archive's own.
inline const QString kArchiveSuffix = QStringLiteral("wpa");

// "Porvel|*.wpa|All Files|*.*" as the toolkit's name filters: "Porvel (*.wpa)", ...
QStringList NameFilters(const QString& barFilter);

class ArchiveDialogs {
public:
    virtual ~ArchiveDialogs() = default;
    // The chosen file's full path; empty when the user cancels.
    virtual QString AskOpenPath() = 0;
    virtual QString AskSavePath() = 0;
};

// The toolkit's file dialogs, modal over `parent`. The save dialog's title is the Save As menu
// text of the language `language` gives when it is shown; neither dialog asks before
// overwriting.
class QtArchiveDialogs : public ArchiveDialogs {
public:
    QtArchiveDialogs(QWidget* parent, LanguageSource language)
        : parent_(parent), language_(std::move(language)) {}
    QString AskOpenPath() override;
    QString AskSavePath() override;

private:
    QWidget* parent_;
    LanguageSource language_;
};

class ArchiveTable;
class CurveStore;

// The commands themselves, with the file state and the window caption that they keep.
class FileCommands : public QObject {
    Q_OBJECT
public:
    // The first default name New gives, in the program's folder.
    static inline const QString kFirstArchiveName = QStringLiteral("Arhive 0.wpa");

    // `window` shows the caption and owns the dialogs. The caption, the dialogs and the
    // messages speak the language `language` gives when they are shown.
    FileCommands(ArchiveTable& table, CurveStore& curves, FileState& state, QWidget& window,
                 LanguageSource language, QObject* parent = nullptr);
    ~FileCommands() override;

    // Enables the four menu items and connects them to their commands.
    void Connect(QAction* newItem, QAction* open, QAction* save, QAction* saveAs);

    // The table changed outside the file commands (an archive read): modified, with the
    // caption's "*".
    void TableChanged();
    // Reads unsaved work kept from an earlier run (a recovery file) as an archive that is
    // modified, named `archivePath` when the work had a name (Save writes there) and unnamed
    // otherwise (Save asks where it goes). Nothing is shown; the result says whether the file
    // was sound.
    ArchiveFileResult OpenRecovered(const QString& path, const QString& archivePath);
    void NewArchive();
    void OpenArchive();  // Open, from the menu, after the save prompt
    // Open from the command line: the arguments joined by single blanks name the file, so a path
    // with blanks that arrived as several arguments is whole again. The save prompt comes first.
    // False when nothing was read.
    bool OpenCommandLine(const QStringList& arguments);
    // Open of a file already chosen (a recent file): the save prompt, then the file.
    bool OpenPath(const QString& path);
    // A file dropped on the window: an archive file (.wpa) opens as Open does, after the save
    // prompt; any other file is refused with the message of a file that holds no archive, and
    // nothing is asked. False when nothing was read.
    bool OpenDropped(const QString& path);
    void SaveArchive();
    void SaveArchiveAs();
    // The save prompt of New and of closing the window. False when the user asked to save and
    // the archive was not saved (the save failed and was reported, or no file was chosen): the
    // caller then keeps the table.
    bool AskToSaveChanges();

    QString CurrentPath() const;
    // The archive's file, or nothing while it has no name. The window's file path (what its
    // printouts are named after) follows it, "Arhive.wpa" standing for no name.
    QString ArchivePath() const;

signals:
    // The table is what its file holds: just opened, or saved under the archive's name.
    void ArchiveInFile();
    // The table holds another archive (New, Open, a restore): its changes start afresh.
    void ArchiveReplaced();

public:
    // Where New puts the first archive of a run; the program's own folder unless set.
    void SetProgramFolder(const QString& folder) { programFolder_ = folder; }
    // Replaces the toolkit's dialogs; the caller keeps `dialogs` alive.
    void SetDialogs(ArchiveDialogs* dialogs) { dialogs_ = dialogs; }

private:
    bool Open(const QString& path);
    bool Write(const QString& path);  // a failure is reported
    // Named, and with a name: after a Delete the flag may be set on an archive that has none.
    bool HasFileName() const;
    void TakeFileName(const QString& path);
    void ShowCaption();
    void ShowError(const QString& text);

    ArchiveTable& table_;
    CurveStore& curves_;
    FileState& state_;
    QWidget& window_;
    const LanguageSource language_;
    std::unique_ptr<ArchiveDialogs> ownDialogs_;
    ArchiveDialogs* dialogs_;
    QString programFolder_;
};

}  // namespace porvel
