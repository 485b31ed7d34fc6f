#include "table_handlers.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>

#include "archive/archive_table.h"
#include "archive/table_rows.h"
#include "archive_grid_view.h"
#include "output/clipboard_text.h"
#include "table_history.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"

namespace porvel {

namespace {

// The C key of the keyboard; with a Russian layout the same key reports the Cyrillic Es.
constexpr int kCyrillicEsKey = 0x0421;

bool IsCopyKey(int key, Qt::KeyboardModifiers modifiers) {
    return (key == Qt::Key_C || key == kCyrillicEsKey) && modifiers.testFlag(Qt::ControlModifier);
}

}  // namespace

TableHandlers::TableHandlers(const Parts& parts, QObject* parent) : QObject(parent), parts_(parts) {
    ArchiveGridView* grid = parts_.grid;
    connect(grid, &ArchiveGridView::MouseUp, this, &TableHandlers::OnGridMouseRelease);
    connect(grid, &ArchiveGridView::MouseDown, this, &TableHandlers::OnGridMousePress);
    connect(grid, &ArchiveGridView::MouseMove, this, &TableHandlers::OnGridMouseMove);
    grid->installEventFilter(this);
    parts_.formArea->setMouseTracking(true);
    parts_.formArea->installEventFilter(this);

    for (QAction* action : {parts_.copyTable, parts_.copyBlock, parts_.deleteRow})
        action->setEnabled(true);
    connect(parts_.copyTable, &QAction::triggered, this, &TableHandlers::OnCopyTable);
    connect(parts_.copyBlock, &QAction::triggered, this, &TableHandlers::OnCopySelection);
    connect(parts_.deleteRow, &QAction::triggered, this, &TableHandlers::OnDeleteClicked);
}

void TableHandlers::OnGridMouseRelease(Qt::MouseButton button, int col, int row) {
    if (button != Qt::LeftButton) return;
    if (row == 0 && col >= 0) {
        // The direction turns on every header click, even over an empty table. The header's
        // blank end right of the last column is no header cell.
        sortDirection_ = TurnedSortDirection(sortDirection_);
        if (!parts_.table->IsEmpty()) Sort(col);
    } else if (col == column::kNumber && row >= 1) {
        parts_.grid->SelectWholeRow(row);
    } else if (col < 0 && row < 0) {
        parts_.grid->ClearGridSelection();
    }
}

void TableHandlers::Sort(int col) {
    const std::optional<SortKeyError> error = parts_.history->Sort(col, sortDirection_);
    if (!error) {
        parts_.grid->ShowSortOrder(col, sortDirection_ == sort_direction::kAscending);
        return;
    }
    const Language language = parts_.language();
    LocalizedMessageBox(SortErrorText(error->text, language), MainTextOf(MainText::Error, language),
                        box::kError, language);
}

void TableHandlers::OnGridMousePress(Qt::MouseButton button, int col, int row,
                                     const QPoint& globalPos) {
    if (button != Qt::RightButton) return;
    if (!DeleteMenuOffered(col, row, parts_.grid->Selection(), parts_.table->IsEmpty())) return;
    parts_.popupMenu->popup(globalPos);
}

void TableHandlers::OnGridMouseMove(int col, int row) {
    parts_.statusBar->showMessage(MainTextOf(GridHintAt(col, row), parts_.language()));
}

void TableHandlers::OnWindowMouseMove() {
    parts_.statusBar->clearMessage();
}

void TableHandlers::OnDeleteClicked() {
    const GridSelection selection = parts_.grid->Selection();
    if (selection.IsEmpty()) return;
    // Only the top row goes, however many rows the selection spans.
    parts_.history->DeleteRow(selection.top);
}

bool TableHandlers::CanCopy() const {
    if (!parts_.table->IsEmpty()) return true;
    const Language language = parts_.language();
    LocalizedMessageBox(MainTextOf(MainText::TableEmpty, language),
                        TextIn(kWarningCaption, language), box::kError, language);
    return false;
}

void TableHandlers::PutOnClipboard(const QString& text) {
    // Plain text, which the clipboard hands out as Unicode: the Cyrillic names arrive intact
    // whatever code page the receiver uses.
    QGuiApplication::clipboard()->setText(text);
}

void TableHandlers::OnCopyTable() {
    if (!CanCopy()) return;
    PutOnClipboard(TableClipboardText(*parts_.table, parts_.language()));
}

void TableHandlers::OnCopySelection() {
    if (!CanCopy()) return;
    const GridSelection selection = parts_.grid->Selection();
    if (selection.IsEmpty()) return;  // nothing to copy: the clipboard keeps what it holds
    ArchiveGridView* grid = parts_.grid;
    PutOnClipboard(BlockClipboardText(*parts_.table, selection,
                                      [grid](int row) { return !grid->isRowHidden(row - 1); }));
}

bool TableHandlers::OnGridKeyPressed(int key, Qt::KeyboardModifiers modifiers) {
    if (!IsCopyKey(key, modifiers)) return false;
    const GridSelection selection = parts_.grid->Selection();
    // One cell, or none at all, stands for the whole table.
    if (selection.IsEmpty() || selection.IsSingleCell())
        OnCopyTable();
    else
        OnCopySelection();
    return true;
}

bool TableHandlers::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parts_.grid && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The grid's own copy (the current cell's text) never runs.
        if (OnGridKeyPressed(key->key(), key->modifiers())) return true;
    } else if (watched == parts_.formArea && event->type() == QEvent::MouseMove) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // Moves over a control arrive here too when the control leaves them.
        if (!parts_.formArea->childAt(mouse->position().toPoint())) OnWindowMouseMove();
    }
    return QObject::eventFilter(watched, event);
}

namespace {

constexpr TextPair kSortError = {
    u"Значение «%1» не удаётся прочитать для сортировки. Таблица оставлена как была.",
    u"The value \"%1\" cannot be read for sorting. The table was left as it was."};

}  // namespace

MainText GridHintAt(int col, int row) {
    if (row == 0) return MainText::HintSort;
    if (col == column::kNumber && row > 0) return MainText::HintPlot;
    return MainText::HintSelect;
}

QString SortErrorText(const QString& cellText, Language language) {
    return TextIn(kSortError, language).arg(cellText);
}

}  // namespace porvel
