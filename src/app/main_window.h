// MainWindow: the main window with the archive table, the exchange buttons and the menus.
#pragma once

#include <QMainWindow>
#include <optional>

#include "archive/archive_table.h"
#include "archive_grid_view.h"
#include "base/language.h"
#include "file_commands.h"
#include "ui/exchange_worker.h"

class QAction;
class QMenu;
class QPushButton;
class QTableView;

namespace porvel {

class ExportCommand;
class FileCommands;
class RecoveryGuard;
class TableHandlers;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    ArchiveTable* Archive() { return archive_; }
    const FileState& File() const { return fileState_; }
    // New, Open, Save, Save As and the save prompt.
    FileCommands& Files() { return *fileCommands_; }
    // The spreadsheet export.
    ExportCommand& Export() { return *exportCommand_; }
    // The copy of unsaved work that outlives a crash.
    RecoveryGuard& Recovery() { return *recovery_; }
    // At start: offers to restore the unsaved work of a run that did not end cleanly. True when
    // the table now holds it.
    bool OfferRecovery();

    // The three bookkeeping columns at the end of the table that are never shown.
    int HiddenColumns = 0;

    QPushButton* readArchiveButton;
    QPushButton* objectsButton;
    QPushButton* materialsButton;
    ArchiveGridView* archiveGrid;
    QMenu* PopupMenu1;

    QMenu* FileMenu;
    QMenu* EditMenu;
    QMenu* Language1;
    QMenu* HelpMenu;
    QAction* New;
    QAction* Open;
    QAction* Save;
    QAction* SaveAs;
    QAction* SaveExel;
    QAction* Print;
    QAction* Exit;
    QAction* Copy1;
    QAction* Copy2;
    QAction* ScreenShot;
    QAction* Lang0;
    QAction* Lang1;
    QAction* TableW;
    QAction* Contents;
    QAction* About;
    QAction* Delete;

    void SetLang();
    void Lang0Click();
    void Lang1Click();
    void OnReadArchiveClicked();
    void OnObjectsClicked();
    void OnMaterialsClicked();
    void ScreenShotClick();
    // The listing of the archive table in the print preview.
    void PrintClick();
    void ExitClick();
    void ContentsClick();
    void TableWClick();
    void AboutClick();
    void FormKeyDown(int key);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void BuildMenus();
    void BuildTable();
    void LayOut();
    void WaitForExchange();
    // After an archive read: its counts in the status bar, the read rows as an unsaved change,
    // and a message when the read ended before the last measurement.
    void ArchiveReadEnded();

    ArchiveTable* archive_;
    std::optional<ArchiveReadReport> lastRead_;
    FileState fileState_;
    bool closing_ = false;
    FileCommands* fileCommands_;
    ExportCommand* exportCommand_;
    RecoveryGuard* recovery_;
    TableHandlers* tableHandlers_ = nullptr;  // sort, selection, Delete, hints, copy
};

}  // namespace porvel
