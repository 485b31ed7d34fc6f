#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QTranslator>
#include <algorithm>

#include "about_box.h"
#include "archive/curve_store.h"
#include "curve/chart_window.h"
#include "curve/curve_view_state.h"
#include "device/exchange_texts.h"
#include "export_command.h"
#include "file_commands.h"
#include "help_window.h"
#include "menu_icons.h"
#include "recovery_guard.h"
#include "report/print_preview.h"
#include "report/table_listing.h"
#include "settings/materials_editor.h"
#include "settings/objects_editor.h"
#include "settings/screenshot_window.h"
#include "table_handlers.h"
#include "table_w.h"
#include "ui/design_metrics.h"
#include "ui/exchange_worker.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"
#include "ui/progress_dialog.h"

namespace porvel {
namespace {

constexpr int kClientWidth = 995;
constexpr int kClientHeight = 521;
constexpr int kMinimumWidth = 400;
constexpr int kButtonHeight = 31;
constexpr int kButton1Left = 1, kButton1Width = 141;
constexpr int kButton2Left = 405, kButton2Width = 160;
constexpr int kButton3Width = 174, kButton3RightGap = 995 - 811 - 174;
constexpr int kGridTop = 30;
constexpr int kRowHeight = 20;
constexpr int kWindowFontPx = 14;
constexpr int kGridFontPx = 17;

// Column 0 is the grid's fixed column: it looks like the header, not like data.
class FixedColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = option->palette.button();
    }
};
constexpr int kWaitStepMs = 20;

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
      PopupMenu1(new QMenu(this)),
      archive_(new ArchiveTable(this)) {
    setObjectName(QStringLiteral("Form1"));
    QFont windowFont = font();
    windowFont.setPixelSize(Design(kWindowFontPx));
    setFont(windowFont);
    setCentralWidget(new QWidget(this));
    for (QWidget* w : std::initializer_list<QWidget*>{readArchiveButton, objectsButton,
                                                      materialsButton, archiveGrid})
        w->setParent(centralWidget());
    readArchiveButton->setObjectName(QStringLiteral("readArchiveButton"));
    objectsButton->setObjectName(QStringLiteral("objectsButton"));
    materialsButton->setObjectName(QStringLiteral("materialsButton"));
    archiveGrid->setObjectName(QStringLiteral("archiveGrid"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);

    BuildMenus();
    BuildTable();
    fileCommands_ = new FileCommands(*archive_, Curves(), fileState_, *this, this);
    fileCommands_->Connect(New, Open, Save, SaveAs);
    exportCommand_ = new ExportCommand(*archive_, *this, this);
    exportCommand_->Connect(SaveExel);
    recovery_ = new RecoveryGuard(*archive_, Curves(), RecoveryFolder(), this);
    connect(fileCommands_, &FileCommands::ArchiveInFile, recovery_, &RecoveryGuard::TableInFile);
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
    FormCreate();
    qApp->installEventFilter(this);
}

void MainWindow::BuildMenus() {
    auto item = [this](QMenu* menu, MenuIcon icon, const char* name) {
        QAction* action = menu->addAction(MenuIconOf(icon), QString());
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    FileMenu = menuBar()->addMenu(QString());
    New = item(FileMenu, MenuIcon::New, "New");
    Open = item(FileMenu, MenuIcon::Open, "Open");
    Save = item(FileMenu, MenuIcon::Save, "Save");
    SaveAs = item(FileMenu, MenuIcon::Save, "SaveAs");
    SaveExel = item(FileMenu, MenuIcon::Export, "SaveExel");
    FileMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    Print = item(FileMenu, MenuIcon::Print, "Print");
    FileMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    Exit = item(FileMenu, MenuIcon::Exit, "Exit");
    // The desktop's usual keys for the file commands, shown beside their captions.
    New->setShortcut(QKeySequence::New);
    Open->setShortcut(QKeySequence::Open);
    Save->setShortcut(QKeySequence::Save);
    SaveAs->setShortcut(QKeySequence::SaveAs);
    Print->setShortcut(QKeySequence::Print);
    Exit->setShortcut(QKeySequence::Quit);

    EditMenu = menuBar()->addMenu(QString());
    Copy1 = item(EditMenu, MenuIcon::Copy, "Copy1");
    Copy2 = item(EditMenu, MenuIcon::Copy, "Copy2");
    ScreenShot = item(EditMenu, MenuIcon::Screenshot, "ScreenShot");

    Language1 = menuBar()->addMenu(QStringLiteral("Language(Язык)"));
    Lang0 = item(Language1, MenuIcon::Russian, "Lang0");
    Lang0->setText(QStringLiteral("русский"));
    Lang1 = item(Language1, MenuIcon::English, "Lang1");
    Lang1->setText(QStringLiteral("english"));
    Lang0->setCheckable(true);
    Lang1->setCheckable(true);

    HelpMenu = menuBar()->addMenu(QString());
    TableW = item(HelpMenu, MenuIcon::TableW, "TableW");
    Contents = item(HelpMenu, MenuIcon::Contents, "Contents");
    About = item(HelpMenu, MenuIcon::About, "About");

    Delete = PopupMenu1->addAction(QString());
    Delete->setObjectName(QStringLiteral("Delete"));

    // Every command starts disabled; the part of the program that carries it out enables it
    // when it is wired (the file commands, the table's handlers), so a command without its
    // window stays disabled.
    for (QAction* pending :
         {New, Open, Save, SaveAs, SaveExel, Print, Copy1, Copy2, ScreenShot, Delete})
        pending->setEnabled(false);

    ScreenShot->setEnabled(true);
    Print->setEnabled(true);
    connect(Print, &QAction::triggered, this, &MainWindow::PrintClick);
    connect(ScreenShot, &QAction::triggered, this, &MainWindow::ScreenShotClick);
    connect(Exit, &QAction::triggered, this, &MainWindow::ExitClick);
    connect(Contents, &QAction::triggered, this, &MainWindow::ContentsClick);
    connect(TableW, &QAction::triggered, this, &MainWindow::TableWClick);
    connect(About, &QAction::triggered, this, &MainWindow::AboutClick);
    connect(Lang0, &QAction::triggered, this, &MainWindow::Lang0Click);
    connect(Lang1, &QAction::triggered, this, &MainWindow::Lang1Click);
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
        {archiveGrid, archive_, PopupMenu1, statusBar(), centralWidget(), Copy1, Copy2, Delete},
        [this] { setWindowTitle(MarkRowDeleted(fileState_, windowTitle())); }, this);
    // A double click on a row selected through its number cell charts that row's curve.
    connect(archiveGrid, &ArchiveGridView::RowDoubleClicked, this,
            [this](int row) { StringGrid1DblClick(*archive_, row, true, this); });
}

void MainWindow::FormCreate() {
    CurveView().plottedRows.Clear();
    SetCurrentLanguage(Language::Russian);
    SetLang();
    HiddenColumns = ArchiveTable::kHiddenColumns;
    for (int col = ArchiveTable::kColumns - HiddenColumns; col < ArchiveTable::kColumns; ++col) {
        archiveGrid->setColumnWidth(col, 0);
        archiveGrid->setColumnHidden(col, true);
    }
}

void MainWindow::SetLang() {
    const Language lang = CurrentLanguage();
    UseToolkitTranslation(lang);
    auto text = [lang](MainText row) { return MainTextOf(row, lang); };
    Lang1->setChecked(lang == Language::English);
    Lang0->setChecked(lang == Language::Russian);
    setWindowTitle(WindowCaption(fileState_, lang));

    FileMenu->setTitle(text(MainText::File));
    New->setText(text(MainText::New));
    Open->setText(text(MainText::Open));
    Save->setText(text(MainText::Save));
    SaveAs->setText(text(MainText::SaveAs));
    SaveExel->setText(text(MainText::ExportToExcel));
    Print->setText(text(MainText::Print));
    Exit->setText(text(MainText::Exit));
    EditMenu->setTitle(text(MainText::Edit));
    Copy1->setText(text(MainText::CopyTable));
    Copy2->setText(text(MainText::CopySelection));
    ScreenShot->setText(text(MainText::Screenshot));
    HelpMenu->setTitle(text(MainText::Help));
    TableW->setText(text(MainText::TableW));
    Contents->setText(text(MainText::Contents));
    About->setText(text(MainText::About));

    readArchiveButton->setText(text(MainText::ReadFromDevice));
    objectsButton->setText(text(MainText::ObjectsSetting));
    materialsButton->setText(text(MainText::MaterialsSetting));

    SetMessageButtonsLang(lang);
    archive_->SetHeaderLanguage(lang);
    Delete->setText(text(MainText::Delete));
    LayOut();  // the buttons fit their new captions
}

void MainWindow::Lang0Click() {
    SetCurrentLanguage(Language::Russian);
    SetLang();
}

void MainWindow::Lang1Click() {
    SetCurrentLanguage(Language::English);
    SetLang();
}

void MainWindow::OnReadArchiveClicked() {
    if (ExchangeRunning()) return;
    auto* dialog = new ExchangeProgressDialog(this);
    ExchangeControls controls;
    controls.gauge = dialog->progressGauge;
    controls.dialog = dialog;
    controls.statusLabel = dialog->statusLabel;
    controls.archive = archive_;
    lastRead_.reset();
    controls.archiveRead = [this](const ArchiveReadReport& report) { lastRead_ = report; };
    BMTreadUSB* worker =
        StartExchange(Operation::ReadArchive, ListsFlag::Unchanged, controls, CurrentLanguage());
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
    const Language lang = CurrentLanguage();
    statusBar()->showMessage(
        ReadCountsText(report.received, report.added, report.duplicates, lang));
    // Measurements off the instrument and in no file yet: the save prompt protects them.
    if (report.added > 0) fileCommands_->TableChanged();
    if (report.received < report.reported)
        LocalizedMessageBox(
            ReadShortText(report.received, report.reported, report.checkFailed, lang),
            TextIn(kWarningCaption, lang), box::kError);
}

// The editors and the screenshot window are modal; each opening makes a new window in the
// current language. An editor starts with the read that fills its grid.
void MainWindow::OnObjectsClicked() {
    if (ExchangeRunning()) return;
    ObjectsEditor form(this);
    if (form.StartRead()) form.exec();
}

void MainWindow::OnMaterialsClicked() {
    if (ExchangeRunning()) return;
    MaterialsEditor form(this);
    if (form.StartRead()) form.exec();
}

void MainWindow::ScreenShotClick() {
    TForm5 form(this);
    form.exec();
}

void MainWindow::PrintClick() {
    TQuickReport6 report(*archive_, CurrentLanguage());
    ShowPrintPreview(report, this);
}

void MainWindow::ExitClick() {
    close();
}

void MainWindow::ContentsClick() {
    ShowHelp(this, CurrentLanguage());
}

// Table W and the about box are modal; each opening makes a new window in the current language,
// and it goes when it is closed.
void MainWindow::TableWClick() {
    TForm9 form(this);
    form.exec();
}

void MainWindow::AboutClick() {
    TAboutBox box(this);
    box.exec();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Key preview: F1 anywhere in the window opens the help, and the key goes on as usual.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) FormKeyDown(Qt::Key_F1);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::FormKeyDown(int key) {
    if (key == Qt::Key_F1) ContentsClick();
}

void MainWindow::WaitForExchange() {
    // The worker hands its last steps to this thread, so wait with the event loop running.
    if (!ExchangeRunning()) return;
    TheExchange().cancel = true;
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&loop] {
        if (!ExchangeRunning()) loop.quit();
    });
    poll.start(kWaitStepMs);
    loop.exec();
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
    WaitForExchange();
    setEnabled(true);
    closing_ = false;
    // A failed save keeps the window open, so the archive can still be saved elsewhere.
    if (!fileCommands_->AskToSaveChanges()) {
        event->ignore();
        return;
    }
    // Saved, or given up by the user's own answer: nothing is left to recover.
    recovery_->Close();
    event->accept();
}

bool MainWindow::OfferRecovery() {
    return recovery_->OfferRestore(
        [this](const QString& path) { return fileCommands_->OpenRecovered(path); });
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
    readArchiveButton->setGeometry(Design(kButton1Left), 0, wide(readArchiveButton, kButton1Width),
                                   Design(kButtonHeight));
    // Anchored to the top only: keeps its place relative to the width.
    const int left2 = width * kButton2Left / kClientWidth;
    objectsButton->setGeometry(left2, 0, wide(objectsButton, kButton2Width), Design(kButtonHeight));
    const int width3 = wide(materialsButton, kButton3Width);
    materialsButton->setGeometry(width - Design(kButton3RightGap) - width3, 0, width3,
                                 Design(kButtonHeight));
    archiveGrid->setGeometry(0, Design(kGridTop), width, height - Design(kGridTop));
}

}  // namespace porvel
