// The archive table in the main window, driven by real clicks: the header sort with its shared
// direction, row selection and clearing, the Delete pop-up, the hints, the wheel, dragging rows
// and the Ctrl+C copy.
#include <QAbstractButton>
#include <QAction>
#include <QCalendarWidget>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <vector>

#include "app/find_bar.h"
#include "app/main_window.h"
#include "archive/row_filter.h"
#include "device/exchange_types.h"
#include "modal_answers.h"
#include "output/clipboard_text.h"
#include "table_rows_builder.h"

using namespace porvel;
using namespace porvel::testing;
namespace col = porvel::column;

class TableBehaviourTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { w_.reset(); }
    void headerClicksShareOneDirection();
    void draggingAHeaderBorderResizesWithoutSorting();
    void aCellThatDoesNotConvertStopsTheSortWithAMessage();
    void numberCellSelectsTheRowThatItsDoubleClickCharts();
    void popupOnlyOnTheNumberCellThatTopsTheSelection();
    void deleteRemovesTheTopRowAndMarksTheArchive();
    void hintsFollowTheMouse();
    void wheelScrollsOneLineAndLeavesTheSelection();
    void draggingANumberCellMovesTheWholeRow();
    void ctrlCCopiesTheTableForOneCellAndTheBlockOtherwise();
    void aSelectionOfSeveralRowsIsSummedUpUnderTheTable();
    void theFindBarShowsTheRowsThatMatchAndClosesWithEscape();
    void theFindBarsDatesAreTypedOrPickedFromTheCalendar();

private:
    QWidget* View() { return w_->archiveGrid->viewport(); }
    QPoint At(int c, int row) {
        return w_->archiveGrid->visualRect(w_->archiveGrid->model()->index(row - 1, c)).center();
    }
    void Click(int c, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(View(), button, {}, At(c, row));
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(View(), Qt::LeftButton, {}, from);
        QTest::mouseMove(View(), to);
        QTest::mouseRelease(View(), Qt::LeftButton, {}, to);
    }
    void ClickHeader(int c) {
        QHeaderView* h = w_->archiveGrid->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          {h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2});
    }
    QList<int> Selection() {
        const GridSelection s = w_->archiveGrid->Selection();
        return {s.left, s.top, s.right, s.bottom};
    }
    ArchiveTable& T() { return *w_->Archive(); }

    std::unique_ptr<MainWindow> w_;
};

const QList<int> kRow2 = {0, 2, ArchiveTable::kShownColumns - 1, 2};

void TableBehaviourTest::init() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    w_ = std::make_unique<MainWindow>();
    w_->resize(1400, 700);  // room right of the last column and below the last row
    FillColumn(T(), col::kNumber, {"5", "12", "7"});
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
}

void TableBehaviourTest::headerClicksShareOneDirection() {
    T().SetGridRowCount(2);
    T().ClearRow(1);
    ClickHeader(col::kObject);  // an empty table: nothing sorted, yet the direction turns
    QCOMPARE(T().Cell(col::kObject, 1), QString());
    FillColumn(T(), col::kNumber, {"5", "12", "7"});
    ClickHeader(col::kNumber);  // the run's second click, whichever column: ascending
    QCOMPARE(Column(T(), col::kNumber), QStringList({"5", "7", "12"}));
    ClickHeader(col::kNumber);
    QCOMPARE(Column(T(), col::kNumber), QStringList({"12", "7", "5"}));
    const QStringList objects{"Б", "А", "В"};
    for (int r = 1; r <= 3; ++r) T().SetCell(col::kObject, r, objects[r - 1]);
    ClickHeader(col::kObject);
    QCOMPARE(Column(T(), col::kObject), QStringList({"А", "Б", "В"}));
    QCOMPARE(Column(T(), col::kNumber), QStringList({"7", "12", "5"}));
    QCOMPARE(Column(T(), col::kSlot), QStringList({"2", "1", "0"}));  // each row its own curve
}

void TableBehaviourTest::draggingAHeaderBorderResizesWithoutSorting() {
    QHeaderView* h = w_->archiveGrid->horizontalHeader();
    const int width = h->sectionSize(col::kObject);
    const int border = h->sectionViewportPosition(col::kObject) + width - 1;
    const QStringList before = Snapshot(T());
    QTest::mousePress(h->viewport(), Qt::LeftButton, {}, {border, h->height() / 2});
    QTest::mouseMove(h->viewport(), {border + 40, h->height() / 2});
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, {}, {border + 40, h->height() / 2});
    QVERIFY(h->sectionSize(col::kObject) > width);
    QCOMPARE(Snapshot(T()), before);
    QVERIFY(!h->isSortIndicatorShown());
    // A click in the middle sorts, and the arrow shows it.
    ClickHeader(col::kNumber);
    QCOMPARE(Column(T(), col::kNumber), QStringList({"12", "7", "5"}));
    QVERIFY(h->isSortIndicatorShown());
    QCOMPARE(h->sortIndicatorSection(), int(col::kNumber));
    // Falling values: the arrow as drawn points down, wide at its top.
    const QImage section = h->grab(QRect(h->sectionViewportPosition(col::kNumber), 0,
                                         h->sectionSize(col::kNumber), h->height()))
                               .toImage();
    int top = -1, bottom = -1;
    std::vector<int> widths(static_cast<std::size_t>(section.height()), 0);
    for (int y = 0; y < section.height(); ++y)
        for (int x = section.width() / 2; x < section.width() - 2; ++x)  // right of the text
            if (qGray(section.pixel(x, y)) < 128) {
                ++widths[static_cast<std::size_t>(y)];
                if (top < 0) top = y;
                bottom = y;
            }
    QVERIFY(top >= 0 && bottom > top);
    QVERIFY2(widths[static_cast<std::size_t>(top)] > widths[static_cast<std::size_t>(bottom)],
             "the arrow points up over a descending sort");
}

void TableBehaviourTest::aCellThatDoesNotConvertStopsTheSortWithAMessage() {
    T().SetCell(col::kA, 2, QStringLiteral("NAN"));
    const QStringList before = Snapshot(T());
    QStringList seen;
    AnswerNext<QMessageBox> answerer([&](QMessageBox* box) {
        seen << box->windowTitle() << box->text();
        QCOMPARE(box->icon(), QMessageBox::Critical);
        box->buttons().first()->click();
    });
    ClickHeader(col::kA);
    QTRY_VERIFY(answerer.Answered());
    QCOMPARE(seen.value(0), QStringLiteral("Ошибка"));
    QVERIFY2(seen.value(1).contains(QStringLiteral("«NAN»")), qPrintable(seen.value(1)));
    QCOMPARE(Snapshot(T()), before);
}

void TableBehaviourTest::numberCellSelectsTheRowThatItsDoubleClickCharts() {
    QSignalSpy charted(w_->archiveGrid, &ArchiveGridView::RowDoubleClicked);
    Click(col::kNumber, 2);
    QCOMPARE(Selection(), kRow2);
    QTest::mouseDClick(View(), Qt::LeftButton, {}, At(col::kNumber, 2));
    QCOMPARE(charted.count(), 1);
    QCOMPARE(charted.first().first().toInt(), 2);
    Click(col::kObject, 1);  // a data cell is selected as one cell and charts nothing
    QCOMPARE(Selection(), QList<int>({3, 1, 3, 1}));
    QTest::mouseDClick(View(), Qt::LeftButton, {}, At(col::kObject, 1));
    QCOMPARE(charted.count(), 1);
    QTest::mouseClick(View(), Qt::LeftButton, {}, {At(col::kObject, 1).x(), View()->height() - 5});
    QCOMPARE(Selection(), QList<int>({3, 1, 3, 1}));  // below the rows, in a column: kept
    QTest::mouseClick(View(), Qt::LeftButton, {}, {View()->width() - 5, View()->height() - 5});
    QVERIFY(w_->archiveGrid->Selection().IsEmpty());  // outside both: cleared
}

void TableBehaviourTest::popupOnlyOnTheNumberCellThatTopsTheSelection() {
    Click(col::kNumber, 2);
    Click(col::kNumber, 3, Qt::RightButton);
    Click(col::kTime, 2, Qt::RightButton);
    QVERIFY(!w_->rowMenu->isVisible());
    QCOMPARE(Selection(), kRow2);  // the right button selects nothing
    Click(col::kNumber, 2, Qt::RightButton);
    QVERIFY(w_->rowMenu->isVisible());
    QCOMPARE(w_->deleteRowAction->text(), QStringLiteral("Удалить"));
    QVERIFY(!w_->seriesMenu->isVisible());
    w_->rowMenu->hide();
    // Inside a block of two rows the right button offers the series itself.
    Drag(At(col::kObject, 2), At(col::kMaterial, 3));
    Click(col::kMaterial, 3, Qt::RightButton);
    QVERIFY(w_->seriesMenu->isVisible());
    QCOMPARE(w_->printRowsAction->text(), QStringLiteral("Печать выделенных строк..."));
    QCOMPARE(w_->seriesMenu->actions().size(), 3);
    w_->seriesMenu->hide();
    Click(col::kTime, 1, Qt::RightButton);  // outside the block: nothing
    QVERIFY(!w_->seriesMenu->isVisible());
    Click(col::kNumber, 2);
    // A drag over data cells stops at the number column.
    QTest::mousePress(View(), Qt::LeftButton, {}, At(1, 1));
    QTest::mouseMove(View(), At(col::kNumber, 2));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, At(1, 2));
    QCOMPARE(Selection().first(), 1);
    Click(col::kNumber, 1, Qt::RightButton);
    QVERIFY(!w_->rowMenu->isVisible());
    FillColumn(T(), col::kNumber, {""});  // an empty table offers nothing
    Click(col::kNumber, 1);
    Click(col::kNumber, 1, Qt::RightButton);
    QVERIFY(!w_->rowMenu->isVisible());
}

void TableBehaviourTest::deleteRemovesTheTopRowAndMarksTheArchive() {
    for (int round = 0; round < 2; ++round) {  // the caption's star comes once
        Click(col::kNumber, 2);
        Click(col::kNumber, 2, Qt::RightButton);
        QTest::mouseClick(w_->rowMenu, Qt::LeftButton, {},
                          w_->rowMenu->actionGeometry(w_->deleteRowAction).center());
        QVERIFY(w_->File().named && w_->File().modified);
        QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel*"));  // never given a name
    }
    QCOMPARE(Column(T(), col::kNumber), QStringList({"5"}));
    FillColumn(T(), col::kNumber, {"1", "2", "3", "4", "5"});
    Drag(At(1, 2), At(2, 4));
    w_->deleteRowAction->trigger();
    QCOMPARE(Column(T(), col::kNumber), QStringList({"1", "3", "4", "5"}));
}

void TableBehaviourTest::hintsFollowTheMouse() {
    QStatusBar* status = w_->statusBar();
    QHeaderView* header = w_->archiveGrid->horizontalHeader();
    QTest::mouseMove(header->viewport(), {header->sectionViewportPosition(4) + 5, 5});
    QTRY_COMPARE(status->currentMessage(), QStringLiteral("Левая кнопка мыши - Сортировка"));
    QTest::mouseMove(View(), At(col::kNumber, 2));
    QTRY_COMPARE(status->currentMessage(),
                 QStringLiteral("Двойной клик левой кнопкой мыши - Построить график"));
    QTest::mouseMove(View(), At(col::kM, 1));
    QTRY_COMPARE(status->currentMessage(),
                 QStringLiteral("Левая кнопка мыши + Тащить - Выделение"));
    const QPoint form(
        (w_->readArchiveButton->geometry().right() + w_->objectsButton->geometry().left()) / 2, 5);
    QTest::mouseMove(w_->centralWidget(), form);
    QTRY_VERIFY(status->currentMessage().isEmpty());
    w_->englishAction->trigger();
    QTest::mouseMove(View(), {View()->width() - 5, 5});  // outside the cells
    QTRY_COMPARE(status->currentMessage(), QStringLiteral("Left mouse button + drag - Highlight"));
}

void TableBehaviourTest::wheelScrollsOneLineAndLeavesTheSelection() {
    FillColumn(T(), col::kNumber, QStringList(80, QStringLiteral("1")));
    Click(col::kObject, 2);
    const QList<int> selected = Selection();
    const QModelIndex current = w_->archiveGrid->currentIndex();
    auto wheel = [&](int steps) {
        const QPoint at = View()->rect().center();
        QWheelEvent event(at, View()->mapToGlobal(at), {}, {0, steps * 120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(View(), &event);
        QVERIFY(event.isAccepted());
    };
    wheel(-1);
    wheel(-1);
    wheel(1);
    QCOMPARE(w_->archiveGrid->verticalScrollBar()->value(), 1);
    QCOMPARE(Selection(), selected);
    QCOMPARE(w_->archiveGrid->currentIndex(), current);
}

void TableBehaviourTest::draggingANumberCellMovesTheWholeRow() {
    T().SetCell(col::kH, 1, QString());
    Drag(At(col::kNumber, 1), At(col::kNumber, 3));
    QCOMPARE(Column(T(), col::kNumber), QStringList({"12", "7", "5"}));
    QCOMPARE(Column(T(), col::kSlot), QStringList({"1", "2", "0"}));
    QCOMPARE(T().Cell(col::kH, 3), QString());  // moved as it was
    QCOMPARE(Selection(), QList<int>({0, 3, ArchiveTable::kShownColumns - 1, 3}));
}

void TableBehaviourTest::ctrlCCopiesTheTableForOneCellAndTheBlockOtherwise() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    Click(col::kObject, 2);
    for (Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
        clipboard->clear();
        QTest::keyClick(w_->archiveGrid, Qt::Key_C, modifiers);
        QCOMPARE(clipboard->text(), TableClipboardText(T(), Language::Russian));
    }
    Drag(At(col::kObject, 1), At(col::kMaterial, 2));
    QTest::keyClick(w_->archiveGrid, Qt::Key_C, Qt::ControlModifier);
    // Under "Материал" (8 characters) the shorter text gets one TAB more.
    QCOMPARE(clipboard->text(), QStringLiteral("Плита\tБетон\t\r\nПлита\tБетон\t\r\n"));

    // An empty table, whatever the last read or Open counted.
    T().ReplaceDataRows({});
    clipboard->setText(QStringLiteral("before"));
    QStringList seen;
    AnswerNext<QMessageBox> answerer([&](QMessageBox* box) {
        seen << box->windowTitle() << box->text();
        box->buttons().first()->click();
    });
    w_->copyTableAction->trigger();
    QTRY_VERIFY(answerer.Answered());
    QCOMPARE(seen, QStringList({"Внимание", "Таблтца пуста"}));
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
}

void TableBehaviourTest::aSelectionOfSeveralRowsIsSummedUpUnderTheTable() {
    T().SetCell(col::kM, 2, QStringLiteral("NAN"));
    T().SetCell(col::kM, 3, QStringLiteral("14,0"));
    T().SetCell(col::kA, 3, QStringLiteral("0,0714"));
    const int gridHeight = w_->archiveGrid->height();
    Click(col::kObject, 2);
    QVERIFY(!w_->summaryLabel->isVisible());  // one row is no series
    QTest::mouseClick(View(), Qt::LeftButton, Qt::ShiftModifier, At(col::kMaterial, 3));
    QTRY_VERIFY(w_->summaryLabel->isVisible());
    QCOMPARE(w_->summaryLabel->text(),
             QStringLiteral("Выделено 2: m ср. 14,0 (14,0 – 14,0), коэф. вариации —, a ср. 0,0714, "
                            "марка по средней m W10; без m: 1"));
    QCOMPARE(w_->archiveGrid->height(), gridHeight - w_->summaryLabel->height());
    // For a look at the line: PORVEL_SCREENSHOT_DIR=/tmp table_behaviour_test
    if (const QByteArray dir = qgetenv("PORVEL_SCREENSHOT_DIR"); !dir.isEmpty())
        w_->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/summary_line.png"));
    QCOMPARE(w_->summaryLabel->actions(), QList<QAction*>{w_->copySummaryAction});
    w_->copySummaryAction->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text().split('\n')[1],
             QStringLiteral("2\t14,0\t14,0\t14,0\t—\t0,0714\tW10\t1"));

    w_->englishAction->trigger();
    QVERIFY(w_->summaryLabel->text().startsWith(QStringLiteral("Selected 2: mean m 14,0")));
    QCOMPARE(w_->copySummaryAction->text(), QStringLiteral("Copy summary"));
    Click(col::kObject, 1);
    QTRY_VERIFY(!w_->summaryLabel->isVisible());
    QCOMPARE(w_->archiveGrid->height(), gridHeight);
}

void TableBehaviourTest::theFindBarShowsTheRowsThatMatchAndClosesWithEscape() {
    FillColumn(T(), col::kObject, {"Свая", "Плита", "свая-2"});
    QTest::keyClick(w_->archiveGrid, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(w_->findBar->isVisible());
    QTRY_VERIFY(w_->findBar->textEdit->hasFocus());
    QVERIFY(w_->archiveGrid->geometry().top() >= w_->findBar->geometry().bottom());
    for (QChar key : QStringLiteral("СВАЯ"))  // typed on a Russian layout
        QTest::sendKeyEvent(QTest::Click, w_->findBar->textEdit, Qt::Key_unknown, QString(key),
                            Qt::NoModifier);
    QCOMPARE(w_->findBar->countLabel->text(), QStringLiteral("Показано 2 из 3"));
    if (const QByteArray dir = qgetenv("PORVEL_SCREENSHOT_DIR"); !dir.isEmpty())
        w_->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/find_bar.png"));
    QVERIFY(!w_->archiveGrid->isRowHidden(0));
    QVERIFY(w_->archiveGrid->isRowHidden(1));
    // A block over the hidden row copies and sums up the rows shown only.
    Drag(At(col::kObject, 1), At(col::kObject, 3));
    QTest::keyClick(w_->archiveGrid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Свая\r\nсвая-2\r\n"));
    QVERIFY(w_->summaryLabel->text().startsWith(QStringLiteral("Выделено 2:")));
    // A sort keeps the find: the rows shown are sorted among themselves.
    ClickHeader(col::kNumber);
    QCOMPARE(w_->findBar->countLabel->text(), QStringLiteral("Показано 2 из 3"));
    for (int row = 1; row <= 3; ++row)
        QTRY_COMPARE(w_->archiveGrid->isRowHidden(row - 1), T().Cell(col::kObject, row) == "Плита");
    w_->findBar->textEdit->setFocus();
    QTest::keyClick(w_->findBar->textEdit, Qt::Key_Escape);
    QVERIFY(!w_->findBar->isVisible());
    for (int row = 0; row < 3; ++row) QVERIFY(!w_->archiveGrid->isRowHidden(row));
    QCOMPARE(T().GridRowCount(), 4);  // nothing deleted
}

void TableBehaviourTest::theFindBarsDatesAreTypedOrPickedFromTheCalendar() {
    FillColumn(T(), col::kDate, {"15.03.2017", "28.02.2017", "01.03.2017", "31.12.2016"});
    QTest::keyClick(w_->archiveGrid, Qt::Key_F, Qt::ControlModifier);
    FindBar& bar = *w_->findBar;
    // The rows shown against the reference filter over the same table.
    const auto shownAre = [&](QDate from, QDate to) {
        const std::vector<bool> shown = ShownRows(T(), RowFilter{QString(), from, to});
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (w_->archiveGrid->isRowHidden(static_cast<int>(i)) == shown[i]) return false;
        return true;
    };
    const auto retype = [](FindDateEdit* edit, const QString& text) {
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(8, edit->height() / 2));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    };
    const QDate first(2017, 3, 1);
    retype(bar.fromEdit, QStringLiteral("01032017"));
    QTRY_VERIFY(shownAre(first, {}));
    QCOMPARE(bar.countLabel->text(), QStringLiteral("Показано 2 из 4"));
    QTest::keyClick(bar.fromEdit, Qt::Key_Return);  // shown back in the desktop's form
    QCOMPARE(bar.fromEdit->text(), QStringLiteral("01.03.2017"));
    retype(bar.toEdit, QStringLiteral("1.3.2017"));
    QTRY_VERIFY(shownAre(first, first));
    // A text that is no date bounds nothing, and says so in red.
    retype(bar.toEdit, QStringLiteral("31.02.2017"));
    QTRY_VERIFY(shownAre(first, {}));
    QCOMPARE(bar.toEdit->palette().color(QPalette::Text), QColor(Qt::red));
    retype(bar.toEdit, QStringLiteral("-"));
    QVERIFY(shownAre(first, {}));
    QVERIFY(bar.toEdit->palette().color(QPalette::Text) != QColor(Qt::red));
    // The desktop's own short form, with its four-digit year.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    retype(bar.toEdit, QStringLiteral("3/15/2017"));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTRY_VERIFY(shownAre(first, QDate(2017, 3, 15)));

    // The calendars open at the archive's first and last dates, or at the date typed.
    retype(bar.fromEdit, QString());
    QTRY_VERIFY(shownAre({}, QDate(2017, 3, 15)));
    const auto openCalendar = [](FindDateEdit* edit) {
        auto* button = edit->findChildren<QToolButton*>().value(0);
        QVERIFY(button && button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(edit->calendar && edit->calendar->isVisible());
    };
    openCalendar(bar.fromEdit);
    QCOMPARE(bar.fromEdit->calendar->selectedDate(), QDate(2016, 12, 31));
    QCOMPARE(bar.fromEdit->calendar->monthShown(), 12);
    if (const QByteArray dir = qgetenv("PORVEL_SCREENSHOT_DIR"); !dir.isEmpty()) {
        w_->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/find_dates.png"));
        bar.fromEdit->calendar->grab().save(QString::fromLocal8Bit(dir) +
                                            QStringLiteral("/find_calendar.png"));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!bar.fromEdit->calendar->isVisible());
    QVERIFY(bar.isVisible());
    QCOMPARE(bar.fromEdit->text(), QString());
    retype(bar.toEdit, QString());
    openCalendar(bar.toEdit);
    QCOMPARE(bar.toEdit->calendar->selectedDate(), QDate(2017, 3, 15));
    // Picked with the keyboard: the day before, and Enter.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!bar.toEdit->calendar->isVisible());
    QCOMPARE(bar.toEdit->text(), QStringLiteral("14.03.2017"));
    QTRY_VERIFY(shownAre({}, QDate(2017, 3, 14)));
    openCalendar(bar.toEdit);  // at the date the field holds
    QCOMPARE(bar.toEdit->calendar->selectedDate(), QDate(2017, 3, 14));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // An empty table: today.
    T().SetGridRowCount(2);
    T().ClearRow(1);
    retype(bar.fromEdit, QString());
    openCalendar(bar.fromEdit);
    QCOMPARE(bar.fromEdit->calendar->selectedDate(), QDate::currentDate());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
}

QTEST_MAIN(TableBehaviourTest)
#include "table_behaviour_test.moc"
