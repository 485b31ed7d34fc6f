#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QTranslator>
#include <QUndoStack>
#include <QUrl>
#include <algorithm>

#include "about_box.h"
#include "archive/curve_store.h"
#include "archive/row_filter.h"
#include "archive/selection_summary.h"
#include "archive/table_rows.h"
#include "curve/chart_window.h"
#include "export_command.h"
#include "file_commands.h"
#include "find_bar.h"
#include "help_window.h"
#include "menu_icons.h"
#include "output/table_listing.h"
#include "recovery_guard.h"
#include "report/print_preview.h"
#include "settings/materials_editor.h"
#include "settings/objects_editor.h"
#include "settings/screenshot_window.h"
#include "table_handlers.h"
#include "table_history.h"
#include "table_w.h"
#include "ui/design_metrics.h"
#include "ui/exchange_worker.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"
#include "ui/progress_dialog.h"
#include "ui/read_outcome_texts.h"
#include "ui/user_settings.h"

namespace porvel {
namespace {

constexpr int kClientWidth = 995;
constexpr int kClientHeight = 521;
constexpr int kMinimumWidth = 400;
constexpr int kButtonHeight = 31;
constexpr int kReadButtonLeft = 1, kReadButtonWidth = 141;
constexpr int kObjectsButtonLeft = 405, kObjectsButtonWidth = 160;
constexpr int kMaterialsButtonWidth = 174, kMaterialsButtonRightGap = 995 - 811 - 174;
constexpr int kGridTop = 30;
constexpr int kRowHeight = 20;
constexpr int kWindowFontPx = 14;
constexpr int kGridFontPx = 17;
constexpr int kSummaryIndent = 4;
constexpr TextPair kCopySummary = {u"Копировать сводку", u"Copy summary"};
constexpr TextPair kExportRows = {u"Экспорт выделенных строк...", u"Export selected rows..."};
constexpr TextPair kPrintRows = {u"Печать выделенных строк...", u"Print selected rows..."};
constexpr TextPair kFindText = {u"Найти...", u"Find..."};
constexpr TextPair kUndoText = {u"Отменить", u"Undo"};
constexpr TextPair kRedoText = {u"Повторить", u"Redo"};
constexpr TextPair kRecentFiles = {u"Последние файлы", u"Recent files"};
constexpr TextPair kNoRecentFiles = {u"(нет)", u"(none)"};
constexpr TextPair kRecentFileGone = {
    u"Файл %1 не найден; он убран из списка последних файлов.",
    u"The file %1 was not found; it is taken off the recent files."};

// Column 0 is the grid's fixed column: it looks like the header, not like data.
class FixedColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = option->palette.button();
    }
};

// The toolkit's own dialogs (files, printing, colours, its standard buttons) speak the
// program's language: its Russian translation is installed for Russian and removed for English.
void UseToolkitTranslation(Language language) {
    static QTranslator russian;
    static const bool loaded =
        russian.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded) return;
    if (language == Language::Russian)
        QCoreApplication::installTranslator(&russian);
    else
        QCoreApplication::removeTranslator(&russian);
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      readArchiveButton(new QPushButton(this)),
      objectsButton(new QPushButton(this)),
      materialsButton(new QPushButton(this)),
      archiveGrid(new ArchiveGridView(this)),
      summaryLabel(new QLabel(this)),
      copySummaryAction(new QAction(this)),
      findBar(new FindBar(this)),
      rowMenu(new QMenu(this)),
      archive_(new ArchiveTable(this)) {
    setObjectName(QStringLiteral("mainWindow"));
    QFont windowFont = font();
    windowFont.setPixelSize(Design(kWindowFontPx));
    setFont(windowFont);
    setCentralWidget(new QWidget(this));
    setAcceptDrops(true);
    for (QWidget* w : std::initializer_list<QWidget*>{
             readArchiveButton, objectsButton, materialsButton, archiveGrid, summaryLabel, findBar})
        w->setParent(centralWidget());
    readArchiveButton->setObjectName(QStringLiteral("readArchiveButton"));
    objectsButton->setObjectName(QStringLiteral("objectsButton"));
    materialsButton->setObjectName(QStringLiteral("materialsButton"));
    archiveGrid->setObjectName(QStringLiteral("archiveGrid"));
    summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
    copySummaryAction->setObjectName(QStringLiteral("copySummaryAction"));
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(false);

    history_ = new TableHistory(*archive_, curves_, fileState_, *this, this);
    BuildMenus();
    BuildTable();
    fileCommands_ = new FileCommands(*archive_, curves_, fileState_, *this, Speaking(), this);
    fileCommands_->Connect(newAction, openAction, saveAction, saveAsAction);
    exportCommand_ = new ExportCommand(*archive_, *this, Speaking(), this);
    exportCommand_->Connect(exportAction);
    recovery_ = new RecoveryGuard(*archive_, curves_, RecoveryFolder(), Speaking(), this);
    recovery_->NameArchiveWith([this] { return fileCommands_->ArchivePath(); });
    setWindowFilePath(kSaveDialogFileName);  // what printouts are named after until then
    connect(fileCommands_, &FileCommands::ArchiveInFile, recovery_, &RecoveryGuard::TableInFile);
    connect(fileCommands_, &FileCommands::ArchiveReplaced, history_, &TableHistory::Clear);
    connect(fileCommands_, &FileCommands::ArchiveInFile, history_, &TableHistory::MarkSaved);
    connect(fileCommands_, &FileCommands::ArchiveInFile, this, [this] {
        settings::AddRecentFile(fileCommands_->CurrentPath());
        FillRecentMenu();
    });
    connect(recovery_, &RecoveryGuard::WriteFailed, statusBar(),
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(readArchiveButton, &QPushButton::clicked, this, &MainWindow::OnReadArchiveClicked);
    connect(objectsButton, &QPushButton::clicked, this, &MainWindow::OnObjectsClicked);
    connect(materialsButton, &QPushButton::clicked, this, &MainWindow::OnMaterialsClicked);

    setMinimumWidth(Design(kMinimumWidth));
    // The design's client area, or what the screen has room for.
    QSize client(kClientWidth, kClientHeight);
    if (const QScreen* shown = screen())
        client = client.boundedTo(
            shown->availableGeometry().size() -
            QSize(0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height()));
    resize(client.width(),
           client.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    SetUpAtStart();
    qApp->installEventFilter(this);
}

// The curve store and the exchange session are members and go before the window's children do:
// a read left going on behind a closed progress dialog is ended, and the children that keep a
// reference to the store go first.
MainWindow::~MainWindow() {
    CancelExchangeAndWait(session_);
    delete chart_;
    delete recovery_;
    delete fileCommands_;
    delete history_;
}

void MainWindow::BuildMenus() {
    auto item = [this](QMenu* menu, MenuIcon icon, const char* name) {
        QAction* action = menu->addAction(MenuIconOf(icon), QString());
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    fileMenu = menuBar()->addMenu(QString());
    newAction = item(fileMenu, MenuIcon::New, "newAction");
    openAction = item(fileMenu, MenuIcon::Open, "openAction");
    recentMenu = fileMenu->addMenu(QString());
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    recentMenu->setToolTipsVisible(true);
    saveAction = item(fileMenu, MenuIcon::Save, "saveAction");
    saveAsAction = item(fileMenu, MenuIcon::Save, "saveAsAction");
    exportAction = item(fileMenu, MenuIcon::Export, "exportAction");
    fileMenu->addSeparator();
    printAction = item(fileMenu, MenuIcon::Print, "printAction");
    fileMenu->addSeparator();
    exitAction = item(fileMenu, MenuIcon::Exit, "exitAction");
    // The desktop's usual keys for the file commands, shown beside their captions.
    newAction->setShortcut(QKeySequence::New);
    openAction->setShortcut(QKeySequence::Open);
    saveAction->setShortcut(QKeySequence::Save);
    saveAsAction->setShortcut(QKeySequence::SaveAs);
    printAction->setShortcut(QKeySequence::Print);
    exitAction->setShortcut(QKeySequence::Quit);

    editMenu = menuBar()->addMenu(QString());
    undoAction = editMenu->addAction(QString());
    undoAction->setObjectName(QStringLiteral("undoAction"));
    undoAction->setShortcut(QKeySequence::Undo);
    redoAction = editMenu->addAction(QString());
    redoAction->setObjectName(QStringLiteral("redoAction"));
    // Both of the desktops' usual keys for Redo.
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QUndoStack& steps = history_->Stack();
    undoAction->setEnabled(false);
    redoAction->setEnabled(false);
    connect(&steps, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    connect(&steps, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
    connect(undoAction, &QAction::triggered, &steps, &QUndoStack::undo);
    connect(redoAction, &QAction::triggered, &steps, &QUndoStack::redo);
    editMenu->addSeparator();
    copyTableAction = item(editMenu, MenuIcon::Copy, "copyTableAction");
    copySelectionAction = item(editMenu, MenuIcon::Copy, "copySelectionAction");
    screenshotAction = item(editMenu, MenuIcon::Screenshot, "screenshotAction");
    findAction = editMenu->addAction(QString());
    findAction->setObjectName(QStringLiteral("findAction"));
    findAction->setShortcut(QKeySequence::Find);
    connect(findAction, &QAction::triggered, this, &MainWindow::OpenFindBar);

    languageMenu = menuBar()->addMenu(QStringLiteral("Language(Язык)"));
    russianAction = item(languageMenu, MenuIcon::Russian, "russianAction");
    russianAction->setText(QStringLiteral("русский"));
    englishAction = item(languageMenu, MenuIcon::English, "englishAction");
    englishAction->setText(QStringLiteral("english"));
    russianAction->setCheckable(true);
    englishAction->setCheckable(true);

    helpMenu = menuBar()->addMenu(QString());
    gradeTableAction = item(helpMenu, MenuIcon::TableW, "gradeTableAction");
    helpAction = item(helpMenu, MenuIcon::Contents, "helpAction");
    aboutAction = item(helpMenu, MenuIcon::About, "aboutAction");

    deleteRowAction = rowMenu->addAction(QString());
    seriesMenu = new QMenu(this);
    seriesMenu->setObjectName(QStringLiteral("seriesMenu"));
    exportRowsAction = seriesMenu->addAction(QString());
    exportRowsAction->setObjectName(QStringLiteral("exportRowsAction"));
    printRowsAction = seriesMenu->addAction(QString());
    printRowsAction->setObjectName(QStringLiteral("printRowsAction"));
    deleteRowAction->setObjectName(QStringLiteral("deleteRowAction"));

    // Every command starts disabled; the part of the program that carries it out enables it
    // when it is wired (the file commands, the table's handlers), so a command without its
    // window stays disabled.
    for (QAction* pending :
         {newAction, openAction, saveAction, saveAsAction, exportAction, printAction,
          copyTableAction, copySelectionAction, screenshotAction, deleteRowAction})
        pending->setEnabled(false);

    screenshotAction->setEnabled(true);
    printAction->setEnabled(true);
    connect(printAction, &QAction::triggered, this, &MainWindow::OnPrintClicked);
    connect(screenshotAction, &QAction::triggered, this, &MainWindow::OnScreenshotClicked);
    connect(exitAction, &QAction::triggered, this, &MainWindow::OnExitClicked);
    connect(helpAction, &QAction::triggered, this, &MainWindow::OnHelpClicked);
    connect(gradeTableAction, &QAction::triggered, this, &MainWindow::OnGradeTableClicked);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::OnAboutClicked);
    connect(russianAction, &QAction::triggered, this, &MainWindow::OnRussianChosen);
    connect(englishAction, &QAction::triggered, this, &MainWindow::OnEnglishChosen);
}

void MainWindow::BuildTable() {
    archiveGrid->SetArchive(archive_);
    archiveGrid->verticalHeader()->hide();
    archiveGrid->verticalHeader()->setDefaultSectionSize(Design(kRowHeight));
    archiveGrid->verticalHeader()->setMinimumSectionSize(1);
    archiveGrid->horizontalHeader()->setHighlightSections(false);
    archiveGrid->horizontalHeader()->setSectionsClickable(false);
    archiveGrid->horizontalHeader()->setMinimumSectionSize(0);
    archiveGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    archiveGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    archiveGrid->setShowGrid(true);
    QFont font = archiveGrid->font();
    font.setPixelSize(Design(kGridFontPx));
    archiveGrid->setFont(font);
    archiveGrid->setItemDelegateForColumn(column::kNumber, new FixedColumnDelegate(archiveGrid));
    std::vector<int> minimumWidths;
    for (int width : ArchiveTable::kDesignWidths) minimumWidths.push_back(Design(width));
    archiveGrid->SetMinimumColumnWidths(std::move(minimumWidths));
    tableHandlers_ = new TableHandlers(
        {archiveGrid, archive_, rowMenu, statusBar(), centralWidget(), copyTableAction,
         copySelectionAction, deleteRowAction, history_, Speaking()},
        this);
    connect(archiveGrid, &ArchiveGridView::RowMoveAsked, history_, &TableHistory::MoveRow);
    // The summary follows the selection and whatever changes the selected rows.
    summaryLabel->hide();
    summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summaryLabel->setContextMenuPolicy(Qt::ActionsContextMenu);
    summaryLabel->addAction(copySummaryAction);
    connect(copySummaryAction, &QAction::triggered, this, [this] {
        const SelectionSummary summary = Summarize(*archive_, SelectedRows());
        QGuiApplication::clipboard()->setText(SummaryTable(summary, language_));
    });
    connect(archiveGrid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::UpdateSummary);
    // The find bar chooses the rows shown; a change of the table is filtered again.
    findBar->hide();
    findBar->SetArchive(archive_);
    connect(findBar, &FindBar::FilterChanged, this, &MainWindow::ApplyFilter);
    connect(findBar, &FindBar::CloseRequested, this, &MainWindow::CloseFindBar);
    // After a change of the table the find and the summary are made again once the event loop
    // turns: a read sets its cells one by one, and one pass over the rows serves them all.
    auto* tableChanged = new QTimer(this);
    tableChanged->setSingleShot(true);
    tableChanged->setInterval(0);
    connect(tableChanged, &QTimer::timeout, this, [this] {
        if (findBar->isVisible())
            ApplyFilter();  // and the summary with it
        else
            UpdateSummary();
    });
    const auto later = [tableChanged] { tableChanged->start(); };
    connect(archive_, &QAbstractItemModel::modelReset, this, later);
    connect(archive_, &QAbstractItemModel::layoutChanged, this, later);
    connect(archive_, &QAbstractItemModel::rowsRemoved, this, later);
    connect(archive_, &QAbstractItemModel::rowsInserted, this, later);
    connect(archive_, &QAbstractItemModel::rowsMoved, this, later);
    connect(archive_, &QAbstractItemModel::dataChanged, this, later);
    // A series of two or more measurements goes out on its own: the right button inside its
    // selection offers it (the number cell topping a selection keeps its Delete pop-up).
    seriesMenu->addAction(copySummaryAction);
    connect(archiveGrid, &ArchiveGridView::MouseDown, this,
            [this](Qt::MouseButton button, int col, int row, const QPoint& globalPos) {
                const GridSelection selection = archiveGrid->Selection();
                if (button != Qt::RightButton || rowMenu->isVisible() || selection.IsEmpty() ||
                    row < selection.top || row > selection.bottom || col < selection.left ||
                    col > selection.right || SelectedRows().size() < 2)
                    return;
                if (DeleteMenuOffered(col, row, selection, archive_->IsEmpty())) return;
                seriesMenu->popup(globalPos);
            });
    connect(exportRowsAction, &QAction::triggered, this,
            [this] { exportCommand_->ExportRows(SelectedRows()); });
    connect(printRowsAction, &QAction::triggered, this, [this] {
        ArchiveTable series;
        CopyRowsInto(*archive_, SelectedRows(), series);
        TableListingReport report(series, language_);
        ShowPrintPreview(report, this, QFileInfo(windowFilePath()).completeBaseName(), language_);
    });
    // A double click on a row selected through its number cell charts that row's curve.
    connect(archiveGrid, &ArchiveGridView::RowDoubleClicked, this, [this](int row) {
        ChartTableRow(chart_, *archive_, curves_, row, true, this, Speaking());
    });
}

void MainWindow::SetUpAtStart() {
    ApplyLanguage();
}

void MainWindow::ApplyLanguage() {
    const Language lang = language_;
    UseToolkitTranslation(lang);
    auto text = [lang](MainText row) { return MainTextOf(row, lang); };
    englishAction->setChecked(lang == Language::English);
    russianAction->setChecked(lang == Language::Russian);
    setWindowTitle(WindowCaption(fileState_, lang));

    fileMenu->setTitle(text(MainText::File));
    newAction->setText(text(MainText::New));
    openAction->setText(text(MainText::Open));
    saveAction->setText(text(MainText::Save));
    saveAsAction->setText(text(MainText::SaveAs));
    exportAction->setText(text(MainText::ExportToExcel));
    printAction->setText(text(MainText::Print));
    exitAction->setText(text(MainText::Exit));
    editMenu->setTitle(text(MainText::Edit));
    copyTableAction->setText(text(MainText::CopyTable));
    copySelectionAction->setText(text(MainText::CopySelection));
    undoAction->setText(TextIn(kUndoText, lang));
    redoAction->setText(TextIn(kRedoText, lang));
    screenshotAction->setText(text(MainText::Screenshot));
    helpMenu->setTitle(text(MainText::Help));
    gradeTableAction->setText(text(MainText::TableW));
    helpAction->setText(text(MainText::Contents));
    aboutAction->setText(text(MainText::About));

    readArchiveButton->setText(text(MainText::ReadFromDevice));
    objectsButton->setText(text(MainText::ObjectsSetting));
    materialsButton->setText(text(MainText::MaterialsSetting));

    archive_->SetHeaderLanguage(lang);
    deleteRowAction->setText(text(MainText::Delete));
    copySummaryAction->setText(TextIn(kCopySummary, lang));
    exportRowsAction->setText(TextIn(kExportRows, lang));
    printRowsAction->setText(TextIn(kPrintRows, lang));
    recentMenu->setTitle(TextIn(kRecentFiles, lang));
    findAction->setText(TextIn(kFindText, lang));
    findBar->ApplyTexts(lang);
    if (findBar->isVisible()) ApplyFilter();
    FillRecentMenu();
    UpdateSummary();
    LayOut();  // the buttons fit their new captions
}

void MainWindow::OnRussianChosen() {
    language_ = Language::Russian;
    ApplyLanguage();
}

void MainWindow::OnEnglishChosen() {
    language_ = Language::English;
    ApplyLanguage();
}

void MainWindow::OnReadArchiveClicked() {
    if (ExchangeRunning(session_)) return;
    auto* dialog = new ExchangeProgressDialog(session_.exchange.cancel, this);
    ExchangeControls controls;
    controls.gauge = dialog->progressGauge;
    controls.dialog = dialog;
    controls.statusLabel = dialog->statusLabel;
    controls.archive = archive_;
    controls.curves = &curves_;
    lastRead_.reset();
    controls.archiveRead = [this](const ArchiveReadReport& report) {
        lastRead_ = report;
        // Measurements off the instrument and in no file yet: the save prompt protects them.
        history_->RowsRead(report, [this] { fileCommands_->TableChanged(); });
    };
    controls.heldSlots = [this] { return history_->HeldSlots(); };
    ExchangeWorker* worker =
        StartExchange(session_, Operation::ReadArchive, ListsFlag::Unchanged, controls, language_);
    if (!worker) {
        delete dialog;
        return;
    }
    // The dialog may be closed by its close box while the read goes on; the button waits for
    // the worker, and the dialog goes with it.
    readArchiveButton->setEnabled(false);
    connect(worker, &QThread::finished, this, [this] {
        readArchiveButton->setEnabled(true);
        ArchiveReadEnded();
    });
    connect(worker, &QThread::finished, dialog, &QObject::deleteLater);
    dialog->exec();
}

void MainWindow::ArchiveReadEnded() {
    if (!lastRead_) return;
    const ArchiveReadReport report = *lastRead_;
    lastRead_.reset();
    const Language lang = language_;
    // What the read could not take whole is named beside its counts, and in its message.
    const QString notRead = NotReadText(report.missed, lang);
    QString counts = ReadCountsText(report.received, report.added, report.duplicates, lang);
    if (!notRead.isEmpty()) counts += QStringLiteral(". ") + notRead;
    statusBar()->showMessage(counts);
    if (report.received < report.reported) {
        QString text = ReadShortText(report.received, report.reported, report.checkFailed, lang);
        if (!notRead.isEmpty()) text += QLatin1Char('\n') + notRead;
        LocalizedMessageBox(text, TextIn(kWarningCaption, lang), box::kError, lang);
    }
}

// The editors and the screenshot window are modal; each opening makes a new window in the
// window's language. An editor starts with the read that fills its grid.
void MainWindow::OnObjectsClicked() {
    if (ExchangeRunning(session_)) return;
    ObjectsEditor form(session_, language_, this);
    if (form.StartRead()) form.exec();
}

void MainWindow::OnMaterialsClicked() {
    if (ExchangeRunning(session_)) return;
    MaterialsEditor form(session_, language_, this);
    if (form.StartRead()) form.exec();
}

void MainWindow::OnScreenshotClicked() {
    ScreenshotWindow form(session_, language_, this);
    form.exec();
}

void MainWindow::OnPrintClicked() {
    TableListingReport report(*archive_, language_);
    ShowPrintPreview(report, this, QFileInfo(windowFilePath()).completeBaseName(), language_);
}

void MainWindow::OnExitClicked() {
    close();
}

void MainWindow::OnHelpClicked() {
    ShowHelp(this, language_);
}

// Table W and the about box are modal; each opening makes a new window in the window's
// language, and it goes when it is closed.
void MainWindow::OnGradeTableClicked() {
    GradeTableDialog form(language_, this);
    form.exec();
}

void MainWindow::OnAboutClicked() {
    AboutBox box(language_, this);
    box.exec();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Key preview: F1 anywhere in the window opens the help, and the key goes on as usual.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) OnHelpClicked();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing waits for a running exchange with the event loop running: a second close, or
    // any command, must not run meanwhile.
    if (closing_) {
        event->ignore();
        return;
    }
    closing_ = true;
    setEnabled(false);
    CancelExchangeAndWait(session_);
    setEnabled(true);
    closing_ = false;
    // A failed save keeps the window open, so the archive can still be saved elsewhere.
    if (!fileCommands_->AskToSaveChanges()) {
        event->ignore();
        return;
    }
    // Saved, or given up by the user's own answer: nothing is left to recover.
    recovery_->Close();
    settings::SetWindowGeometry(saveGeometry());
    std::vector<int> widths;
    for (int col = 0; col < ArchiveTable::kShownColumns; ++col)
        widths.push_back(archiveGrid->columnWidth(col));
    settings::SetColumnWidths(widths);
    event->accept();
}

bool MainWindow::OfferRecovery() {
    return recovery_->OfferRestore([this](const QString& path, const QString& archivePath) {
        return fileCommands_->OpenRecovered(path, archivePath);
    });
}

void MainWindow::RestoreLastSession() {
    if (const QByteArray geometry = settings::WindowGeometry(); !geometry.isEmpty())
        restoreGeometry(geometry);
    const std::vector<int> kept = settings::ColumnWidths();
    if (kept.empty()) return;
    // Kept widths are the least each column gets; a longer text still widens it.
    std::vector<int> widths;
    for (std::size_t col = 0; col < ArchiveTable::kDesignWidths.size(); ++col)
        widths.push_back(
            std::max(Design(ArchiveTable::kDesignWidths[col]), col < kept.size() ? kept[col] : 0));
    archiveGrid->SetMinimumColumnWidths(std::move(widths));
}

void MainWindow::FillRecentMenu() {
    const Language lang = language_;
    recentMenu->clear();
    const QStringList files = settings::RecentFiles();
    for (const QString& path : files) {
        QAction* entry = recentMenu->addAction(QFileInfo(path).fileName());
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    if (files.isEmpty()) recentMenu->addAction(TextIn(kNoRecentFiles, lang))->setEnabled(false);
}

void MainWindow::OpenRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        const Language lang = language_;
        settings::RemoveRecentFile(path);
        FillRecentMenu();
        LocalizedMessageBox(TextIn(kRecentFileGone, lang).arg(QDir::toNativeSeparators(path)),
                            MainTextOf(MainText::Error, lang), box::kError, lang);
        return;
    }
    fileCommands_->OpenPath(path);
}

std::vector<int> MainWindow::SelectedRows() const {
    const GridSelection selection = archiveGrid->Selection();
    std::vector<int> rows;
    if (selection.IsEmpty()) return rows;
    for (int row = selection.top; row <= selection.bottom; ++row)
        if (archive_->IsDataRow(row) && !archiveGrid->isRowHidden(row - 1) &&
            !archive_->Cell(column::kNumber, row).isEmpty())
            rows.push_back(row);
    return rows;
}

void MainWindow::OpenFindBar() {
    if (!findBar->isVisible()) {
        findBar->show();
        LayOut();
        ApplyFilter();
    }
    findBar->textEdit->setFocus();
    findBar->textEdit->selectAll();
}

void MainWindow::CloseFindBar() {
    findBar->Clear();
    findBar->hide();
    ApplyFilter();
    LayOut();
    archiveGrid->setFocus();
}

void MainWindow::ApplyFilter() {
    const RowFilter filter = findBar->isVisible() ? findBar->Filter() : RowFilter{};
    const std::vector<bool> shown = ShownRows(*archive_, filter);
    int shownCount = 0, total = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!archive_->Values(static_cast<int>(i) + 1).blank) {
            ++total;
            if (shown[i]) ++shownCount;
        }
    }
    archiveGrid->ShowRows(shown);
    findBar->ShowCount(shownCount, total, language_);
    UpdateSummary();
}

void MainWindow::UpdateSummary() {
    const SelectionSummary summary = Summarize(*archive_, SelectedRows());
    const bool shown = summary.rows >= 2;
    if (shown) summaryLabel->setText(SummaryLine(summary, language_));
    if (shown != summaryLabel->isVisible()) {
        summaryLabel->setVisible(shown);
        LayOut();
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty()) return;
    event->acceptProposedAction();
    const QUrl& first = urls.front();
    const QString path = first.isLocalFile() ? first.toLocalFile() : first.toString();
    // Opened once the drop has ended, so that the file manager is not kept waiting by the save
    // prompt or a message.
    QTimer::singleShot(0, fileCommands_, [this, path] { fileCommands_->OpenDropped(path); });
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayOut();
}

void MainWindow::LayOut() {
    const int width = centralWidget()->width();
    const int height = centralWidget()->height();
    // The design's widths, or wider where a caption needs it.
    auto wide = [](QPushButton* button, int designWidth) {
        return std::max(Design(designWidth), button->sizeHint().width());
    };
    readArchiveButton->setGeometry(Design(kReadButtonLeft), 0,
                                   wide(readArchiveButton, kReadButtonWidth),
                                   Design(kButtonHeight));
    // Anchored to the top only: keeps its place relative to the width.
    const int left2 = width * kObjectsButtonLeft / kClientWidth;
    objectsButton->setGeometry(left2, 0, wide(objectsButton, kObjectsButtonWidth),
                               Design(kButtonHeight));
    const int width3 = wide(materialsButton, kMaterialsButtonWidth);
    materialsButton->setGeometry(width - Design(kMaterialsButtonRightGap) - width3, 0, width3,
                                 Design(kButtonHeight));
    // The summary line takes its height from the bottom of the table while it is shown.
    const int summaryHeight = summaryLabel->isVisible() ? summaryLabel->sizeHint().height() : 0;
    const int findHeight = findBar->isVisible() ? findBar->sizeHint().height() : 0;
    findBar->setGeometry(0, Design(kGridTop), width, findHeight);
    const int gridTop = Design(kGridTop) + findHeight;
    archiveGrid->setGeometry(0, gridTop, width, height - gridTop - summaryHeight);
    summaryLabel->setGeometry(Design(kSummaryIndent), height - summaryHeight,
                              width - Design(kSummaryIndent), summaryHeight);
}

}  // namespace porvel
