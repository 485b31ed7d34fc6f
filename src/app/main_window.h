// MainWindow: the main window with the archive table, the exchange buttons and the menus.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <optional>

#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "archive_grid_view.h"
#include "base/language.h"
#include "curve/chart_window.h"
#include "file_commands.h"
#include "ui/exchange_worker.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace porvel {

class ExportCommand;
class FindBar;
class FileCommands;
class RecoveryGuard;
class TableHandlers;
class TableHistory;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    ArchiveTable* Archive() { return archive_; }
    // The exchanges with the instrument: their state, the list names, the USB library.
    ExchangeSession& Session() { return session_; }
    // The curves of the table's rows, and of the rows Undo holds.
    CurveStore& Curves() { return curves_; }
    // The chart window a number cell's double click opened, until it is gone; or null.
    ChartWindow* Chart() const { return chart_; }
    const FileState& File() const { return fileState_; }
    // The language the window speaks: Russian at every start, switched by the Language menu.
    // The windows it opens take it at their opening; its long-lived helpers read it when they
    // speak.
    Language DisplayLanguage() const { return language_; }
    // newAction, openAction, saveAction, Save As and the save prompt.
    FileCommands& Files() { return *fileCommands_; }
    // The spreadsheet export.
    ExportCommand& Export() { return *exportCommand_; }
    // The copy of unsaved work that outlives a crash.
    RecoveryGuard& Recovery() { return *recovery_; }
    // Undo and Redo of the table's changes.
    TableHistory& History() { return *history_; }
    // At start: offers to restore the unsaved work of a run that did not end cleanly. True when
    // the table now holds it.
    bool OfferRecovery();
    // At start: the window's place and size and the table's column widths as the last run
    // left them.
    void RestoreLastSession();
    // Fills the recent files menu from the settings.
    void FillRecentMenu();

    QPushButton* readArchiveButton;
    QPushButton* objectsButton;
    QPushButton* materialsButton;
    ArchiveGridView* archiveGrid;
    // Under the table while two or more measurements are selected: their summary.
    QLabel* summaryLabel;
    QAction* copySummaryAction;
    // The context menu of a selection of two or more measurements: export and print of those
    // rows, and the copy of their summary.
    QMenu* seriesMenu;
    // Above the table while a find is on (Ctrl+F; Escape closes it).
    FindBar* findBar;
    QAction* findAction;
    QAction* exportRowsAction;
    QAction* printRowsAction;
    QMenu* rowMenu;

    QMenu* fileMenu;
    QMenu* recentMenu;  // the archives opened or saved last, with their paths as hints
    QMenu* editMenu;
    QMenu* languageMenu;
    QMenu* helpMenu;
    QAction* newAction;
    QAction* openAction;
    QAction* saveAction;
    QAction* saveAsAction;
    QAction* exportAction;
    QAction* printAction;
    QAction* exitAction;
    QAction* undoAction;
    QAction* redoAction;
    QAction* copyTableAction;
    QAction* copySelectionAction;
    QAction* screenshotAction;
    QAction* russianAction;
    QAction* englishAction;
    QAction* gradeTableAction;
    QAction* helpAction;
    QAction* aboutAction;
    QAction* deleteRowAction;

    void ApplyLanguage();
    void OnRussianChosen();
    void OnEnglishChosen();
    void OnReadArchiveClicked();
    void OnObjectsClicked();
    void OnMaterialsClicked();
    void OnScreenshotClicked();
    // The listing of the archive table in the print preview.
    void OnPrintClicked();
    void OnExitClicked();
    void OnHelpClicked();
    void OnGradeTableClicked();
    void OnAboutClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // A file dragged from the file manager: the first one dropped is opened (OpenDropped).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void SetUpAtStart();
    void BuildMenus();
    void BuildTable();
    void LayOut();
    void UpdateSummary();
    void OpenRecent(const QString& path);
    void OpenFindBar();
    void CloseFindBar();
    // Shows the rows the find bar's filter passes (all of them without it) and their count.
    void ApplyFilter();
    // The measurements of the selected block (rows with a number), top to bottom.
    std::vector<int> SelectedRows() const;
    // After an archive read: its counts in the status bar, the read rows as an unsaved change,
    // and a message when the read ended before the last measurement.
    void ArchiveReadEnded();
    // The window's language as it will be when asked.
    LanguageSource Speaking() const {
        return [this] { return language_; };
    }

    // First, so that it outlives every window and worker that reports into it.
    ExchangeSession session_;
    Language language_ = Language::Russian;
    ArchiveTable* archive_;
    CurveStore curves_;
    QPointer<ChartWindow> chart_;
    std::optional<ArchiveReadReport> lastRead_;
    FileState fileState_;
    bool closing_ = false;
    FileCommands* fileCommands_;
    ExportCommand* exportCommand_;
    RecoveryGuard* recovery_;
    TableHistory* history_;
    TableHandlers* tableHandlers_ = nullptr;  // sort, selection, deleteRowAction, hints, copy
};

}  // namespace porvel
