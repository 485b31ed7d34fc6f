// The archive file commands of the main window: New, Open, Save, Save As and the save prompt,
// with the file state and the window caption that they keep.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QAction;
class QWidget;

namespace porvel {

class ArchiveDialogs;
class ArchiveTable;
class CurveStore;
struct FileState;

class FileCommands : public QObject {
    Q_OBJECT
public:
    // The first default name New gives, in the program's folder.
    static inline const QString kFirstArchiveName = QStringLiteral("Arhive 0.wpa");

    // `window` shows the caption and owns the dialogs.
    FileCommands(ArchiveTable& table, CurveStore& curves, FileState& state, QWidget& window,
                 QObject* parent = nullptr);
    ~FileCommands() override;

    // Enables the four menu items and connects them to their commands.
    void Connect(QAction* newItem, QAction* open, QAction* save, QAction* saveAs);

    void NewClick();
    void Action1Execute();  // Open, from the menu
    // Open at start: the arguments joined by single blanks name the file, so a path with blanks
    // that arrived as several arguments is whole again. False when nothing was read.
    bool OpenCommandLine(const QStringList& arguments);
    void SaveClick();
    void SaveAsClick();
    // The save prompt of New and of closing the window. False when the user asked to save and
    // the archive was not saved (the save failed and was reported, or no file was chosen): the
    // caller then keeps the table.
    bool Action2Execute();

    QString CurrentPath() const;
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
    std::unique_ptr<ArchiveDialogs> ownDialogs_;
    ArchiveDialogs* dialogs_;
    QString programFolder_;
};

}  // namespace porvel
