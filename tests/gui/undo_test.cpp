// Undo and Redo of the archive table's changes in the main window, worked as a user works them:
// rows dragged, sorted, deleted and read from the simulated instrument, taken back with Ctrl+Z
// and made again with Ctrl+Y or Ctrl+Shift+Z, the caption's "*" following the archive's state.
#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "app/main_window.h"
#include "app/table_history.h"
#include "archive/curve_store.h"
#include "device/exchange_types.h"
#include "gui_sim.h"
#include "modal_answers.h"
#include "table_rows_builder.h"

using namespace porvel;
using namespace porvel::testing;
namespace col = porvel::column;

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { w_.reset(); }
    void moveSortAndDeleteAreUndoneAndRedoneWithTheirStar();
    void aMovedRowIsUnsavedWorkThatExitAsksAbout();
    void undoingBackToTheSavedStateClearsTheStar();
    void aReadIsUndoneAndItsCurvesOutliveALaterRead();

private:
    QWidget* View() { return w_->archiveGrid->viewport(); }
    QPoint At(int c, int row) {
        return w_->archiveGrid->visualRect(w_->archiveGrid->model()->index(row - 1, c)).center();
    }
    void Drag(int from, int to) {
        QTest::mousePress(View(), Qt::LeftButton, {}, At(col::kNumber, from));
        QTest::mouseMove(View(), At(col::kNumber, to));
        QTest::mouseRelease(View(), Qt::LeftButton, {}, At(col::kNumber, to));
    }
    void ClickHeader(int c) {
        QHeaderView* h = w_->archiveGrid->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          {h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2});
    }
    void DeleteRow(int row) {
        QTest::mouseClick(View(), Qt::LeftButton, {}, At(col::kNumber, row));
        w_->deleteRowAction->trigger();
    }
    void Undo() { QTest::keyClick(w_->archiveGrid, Qt::Key_Z, Qt::ControlModifier); }
    void Redo(bool withY) {
        if (withY)
            QTest::keyClick(w_->archiveGrid, Qt::Key_Y, Qt::ControlModifier);
        else
            QTest::keyClick(w_->archiveGrid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
    QStringList Numbers() { return Column(*w_->Archive(), col::kNumber); }

    std::unique_ptr<MainWindow> w_;
};

void UndoTest::init() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    w_ = std::make_unique<MainWindow>();
    w_->resize(1400, 700);
    w_->show();
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
}

void UndoTest::moveSortAndDeleteAreUndoneAndRedoneWithTheirStar() {
    FillColumn(*w_->Archive(), col::kNumber, {"5", "12", "7"});
    const QStringList start = Snapshot(*w_->Archive());
    QVERIFY(!w_->undoAction->isEnabled());

    Drag(1, 3);
    QCOMPARE(Numbers(), QStringList({"12", "7", "5"}));
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel*"));
    Undo();
    QCOMPARE(Snapshot(*w_->Archive()), start);
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel"));
    QVERIFY(!w_->File().modified);
    Redo(true);
    QCOMPARE(Numbers(), QStringList({"12", "7", "5"}));
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel*"));
    Undo();

    // A sort leaves the flag as it was, and its undo puts every row back.
    ClickHeader(col::kNumber);
    QCOMPARE(Numbers(), QStringList({"12", "7", "5"}));
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel"));
    Undo();
    QCOMPARE(Snapshot(*w_->Archive()), start);
    Redo(false);
    QCOMPARE(Numbers(), QStringList({"12", "7", "5"}));
    QVERIFY(!w_->File().modified);

    // A delete, the last row's included, comes back whole.
    DeleteRow(2);
    DeleteRow(1);
    DeleteRow(1);
    QVERIFY(w_->Archive()->IsEmpty());
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel*"));
    Undo();
    Undo();
    Undo();
    QCOMPARE(Numbers(), QStringList({"12", "7", "5"}));
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel"));
    Undo();
    QCOMPARE(Snapshot(*w_->Archive()), start);
    QVERIFY(!w_->undoAction->isEnabled());
    QVERIFY(w_->redoAction->isEnabled());
    QCOMPARE(w_->undoAction->text(), QStringLiteral("Отменить"));
    QCOMPARE(w_->redoAction->text(), QStringLiteral("Повторить"));
    if (const QByteArray dir = qgetenv("PORVEL_SCREENSHOT_DIR"); !dir.isEmpty()) {
        w_->editMenu->popup(w_->mapToGlobal(QPoint(40, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(w_->editMenu));
        w_->editMenu->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/edit_menu.png"));
        w_->editMenu->close();
    }

    // A new change drops what was undone; at most a hundred steps are kept.
    for (int i = 0; i < TableHistory::kStepLimit + 5; ++i) Drag(1, 2);
    QVERIFY(!w_->redoAction->isEnabled());
    QCOMPARE(w_->History().Stack().count(), TableHistory::kStepLimit);
}

void UndoTest::aMovedRowIsUnsavedWorkThatExitAsksAbout() {
    QTemporaryDir dir;
    FillColumn(*w_->Archive(), col::kNumber, {"5", "12", "7"});
    {
        ModalScript dialogs({}, {dir.filePath(QStringLiteral("a.wpa"))});
        w_->saveAsAction->trigger();
    }
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel - a.wpa"));
    Drag(3, 1);
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel - a.wpa*"));
    ModalScript boxes({QMessageBox::Cancel});
    w_->exitAction->trigger();
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, QStringLiteral("Сохранить a.wpa ?"));
    QVERIFY(w_->isVisible());
    QCOMPARE(Numbers(), QStringList({"7", "5", "12"}));
}

// After a save the saved state is the one without "*", whichever way the history reaches it;
// a new archive starts with nothing to undo.
void UndoTest::undoingBackToTheSavedStateClearsTheStar() {
    QTemporaryDir dir;
    FillColumn(*w_->Archive(), col::kNumber, {"5", "12", "7"});
    DeleteRow(1);
    {
        ModalScript dialogs({}, {dir.filePath(QStringLiteral("a.wpa"))});
        w_->saveAsAction->trigger();
    }
    w_->activateWindow();  // back from the file dialog, where the keys go
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel - a.wpa"));
    DeleteRow(1);
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel - a.wpa*"));
    Undo();
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel - a.wpa"));
    QVERIFY(!w_->File().modified);
    Undo();  // before the save: the table differs from the file
    QCOMPARE(Numbers(), QStringList({"5", "12", "7"}));
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel - a.wpa*"));
    QVERIFY(w_->File().modified);
    Redo(true);
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel - a.wpa"));

    w_->newAction->trigger();
    QVERIFY(!w_->undoAction->isEnabled());
    QVERIFY(!w_->redoAction->isEnabled());
}

// Undoing a read takes its rows out; rows deleted before are still whole with their own curves
// when a later read has filled the table again.
void UndoTest::aReadIsUndoneAndItsCurvesOutliveALaterRead() {
    GuiSim sim;
    const auto read = [&](const char* scenario) {
        QVERIFY(sim.Load(scenario));
        QTest::mouseClick(w_->readArchiveButton, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w_->readArchiveButton->isEnabled(), 20000);
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    };
    const auto curves = [&] {
        std::vector<std::vector<quint16>> words;
        for (int row = 1; row < w_->Archive()->GridRowCount(); ++row) {
            const auto slot = w_->Archive()->SlotOf(row);
            const quint16* begin = slot ? w_->Curves().Words(*slot) : nullptr;
            words.emplace_back(begin, begin ? begin + w_->Curves().WordCount(*slot) : begin);
        }
        return words;
    };
    read("generate count=3 samples=40\n");
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel*"));
    const QStringList first = Snapshot(*w_->Archive());
    const auto firstCurves = curves();
    Undo();
    QVERIFY(w_->Archive()->IsEmpty());
    QCOMPARE(w_->windowTitle(), QStringLiteral("Porvel"));
    Redo(true);
    QCOMPARE(Snapshot(*w_->Archive()), first);

    for (int i = 0; i < 3; ++i) DeleteRow(1);
    QVERIFY(w_->Archive()->IsEmpty());
    read(
        "record date=2026-01-02 time=08:00 samples=25\n"
        "record date=2026-01-03 time=09:00 samples=30\n");
    QCOMPARE(w_->Archive()->GridRowCount(), 3);
    const auto secondCurves = curves();
    QCOMPARE(secondCurves[0].size(), 27u);
    for (int i = 0; i < 4; ++i) Undo();  // the second read and the three deletes
    QCOMPARE(Snapshot(*w_->Archive()), first);
    QVERIFY(curves() == firstCurves);
    for (int i = 0; i < 4; ++i) Redo(false);
    QVERIFY(curves() == secondCurves);
}

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
