#include "archive_grid_view.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "archive/table_rows.h"

namespace porvel {
namespace {

constexpr int kMoveMarkWidth = 2;  // the line that shows where a dragged row will go
constexpr int kCellPadding = 10;   // room left and right of a cell's text

}  // namespace

ArchiveGridView::ArchiveGridView(QWidget* parent) : QTableView(parent) {
    // Columns are widened and narrowed by dragging a header border; a release that ends such a
    // drag does not sort.
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (headerPressed_) headerResizing_ = true;
    });
    horizontalHeader()->viewport()->installEventFilter(this);
    horizontalHeader()->viewport()->setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

void ArchiveGridView::SetArchive(ArchiveTable* archive) {
    archive_ = archive;
    setModel(archive);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ArchiveGridView::OnCurrentChanged);
    connect(archive, &QAbstractItemModel::modelReset, this, [this] { wholeRowSelected_ = false; });
    // New contents: the columns fit them again, and an order shown before no longer holds.
    auto newRows = [this] {
        horizontalHeader()->setSortIndicatorShown(false);
        ScheduleFit();
    };
    connect(archive, &QAbstractItemModel::modelReset, this, newRows);
    connect(archive, &QAbstractItemModel::rowsInserted, this, newRows);
    connect(archive, &QAbstractItemModel::dataChanged, this, &ArchiveGridView::ScheduleFit);
    connect(archive, &QAbstractItemModel::headerDataChanged, this, &ArchiveGridView::ScheduleFit);
}

void ArchiveGridView::SetMinimumColumnWidths(std::vector<int> widths) {
    minimumWidths_ = std::move(widths);
    FitColumns();
}

void ArchiveGridView::ShowSortOrder(int column, bool ascending) {
    QHeaderView* header = horizontalHeader();
    header->setSortIndicatorShown(true);
    // The toolkit draws its "ascending" indicator as an arrow pointing down, which a user reads
    // as falling values; the arrow is to point up over values that rise down the table.
    header->setSortIndicator(column, ascending ? Qt::DescendingOrder : Qt::AscendingOrder);
    // A sort moves whole rows, so the cells' widths stay; the arrow needs its room.
    setColumnWidth(column, std::max(columnWidth(column), header->sectionSizeHint(column)));
}

void ArchiveGridView::ScheduleFit() {
    // Many cells change at once while a read fills the table: one fit after them.
    if (fitPending_) return;
    fitPending_ = true;
    QTimer::singleShot(0, this, &ArchiveGridView::FitColumns);
}

void ArchiveGridView::FitColumns() {
    fitPending_ = false;
    if (!archive_) return;
    const QFontMetrics metrics(font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) +
                        kCellPadding + showGrid();
    // An archive repeats its texts: each distinct one is measured once, and kept for the next
    // fit while the font stays.
    if (measuredFont_ != font()) {
        measuredFont_ = font();
        textWidths_.clear();
    }
    for (int col = 0; col < archive_->columnCount(); ++col) {
        if (isColumnHidden(col)) continue;
        int width = horizontalHeader()->sectionSizeHint(col);
        for (int row = 1; row < archive_->GridRowCount(); ++row) {
            const QString text = archive_->Cell(col, row);
            auto found = textWidths_.constFind(text);
            if (found == textWidths_.constEnd())
                found = textWidths_.insert(text, metrics.horizontalAdvance(text));
            width = std::max(width, *found + padding);
        }
        if (static_cast<std::size_t>(col) < minimumWidths_.size())
            width = std::max(width, minimumWidths_[static_cast<std::size_t>(col)]);
        setColumnWidth(col, width);
    }
}

bool ArchiveGridView::OnSectionBorder(int x) const {
    // As the header itself finds its handles: within the grip margin of a section's edge.
    const QHeaderView* header = horizontalHeader();
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
    const int col = header->logicalIndexAt(x);
    if (col < 0) return false;
    const int left = header->sectionViewportPosition(col);
    const int right = left + header->sectionSize(col);
    return (x < left + grip && header->visualIndex(col) > 0) || x > right - grip;
}

GridSelection ArchiveGridView::Selection() const {
    GridSelection block;
    if (!selectionModel()) return block;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (!range.isValid()) continue;
        const bool first = block.IsEmpty();
        block.left = first ? range.left() : std::min(block.left, range.left());
        block.right = first ? range.right() : std::max(block.right, range.right());
        block.top = first ? range.top() + 1 : std::min(block.top, range.top() + 1);
        block.bottom = first ? range.bottom() + 1 : std::max(block.bottom, range.bottom() + 1);
    }
    return block;
}

void ArchiveGridView::SelectWholeRow(int row) {
    if (!model() || row < 1 || row > model()->rowCount()) return;
    const int last = model()->columnCount() - 1;
    selectingRow_ = true;
    // The current cell is the number cell pressed, so the view does not scroll sideways to show
    // some other cell of the row.
    selectionModel()->setCurrentIndex(model()->index(row - 1, column::kNumber),
                                      QItemSelectionModel::NoUpdate);
    selectionModel()->select(
        QItemSelection(model()->index(row - 1, column::kNumber), model()->index(row - 1, last)),
        QItemSelectionModel::ClearAndSelect);
    selectingRow_ = false;
    wholeRowSelected_ = true;
}

void ArchiveGridView::ShowRows(const std::vector<bool>& shown) {
    QHeaderView* rows = verticalHeader();
    // Each hidden or shown row would otherwise find its place on the screen and lay out the
    // view again, each time over all the rows before it.
    const bool updating = rows->updatesEnabled();
    rows->setUpdatesEnabled(false);
    {
        const QSignalBlocker quiet(rows);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const int row = static_cast<int>(i);
            if (isRowHidden(row) == shown[i]) setRowHidden(row, !shown[i]);
        }
    }
    rows->setUpdatesEnabled(updating);
    updateGeometries();
    viewport()->update();
}

void ArchiveGridView::ClearGridSelection() {
    if (!selectionModel()) return;
    selectionModel()->clearSelection();
    selectionModel()->clearCurrentIndex();
    wholeRowSelected_ = false;
}

int ArchiveGridView::GridColumnAt(int x) const {
    return columnAt(x);
}

int ArchiveGridView::GridRowAt(int y) const {
    const int row = rowAt(y);
    return row < 0 ? -1 : row + 1;
}

void ArchiveGridView::selectAll() {
    // Every data cell; the number column stays out, as it is never selected by the grid itself.
    if (!model() || model()->rowCount() == 0) return;
    selectionModel()->select(
        QItemSelection(model()->index(0, column::kNumber + 1),
                       model()->index(model()->rowCount() - 1, model()->columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
}

void ArchiveGridView::OnCurrentChanged() {
    if (!selectingRow_) wholeRowSelected_ = false;
}

void ArchiveGridView::mousePressEvent(QMouseEvent* event) {
    PressInGrid(event);
    const QPoint pos = event->position().toPoint();
    emit MouseDown(event->button(), GridColumnAt(pos.x()), GridRowAt(pos.y()),
                   event->globalPosition().toPoint());
}

void ArchiveGridView::PressInGrid(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int col = GridColumnAt(pos.x());
    const int row = GridRowAt(pos.y());
    moveFrom_ = moveTo_ = 0;
    pressPassedOn_ = false;
    event->accept();
    // Only the left button selects, and only inside the data cells.
    if (event->button() != Qt::LeftButton || col < 0 || row < 0) return;
    if (col == column::kNumber) {
        moveFrom_ = moveTo_ = row;
        return;
    }
    wholeRowSelected_ = false;
    pressPassedOn_ = true;
    QTableView::mousePressEvent(event);
}

int ArchiveGridView::MoveTargetAt(int y) const {
    const int rows = model() ? model()->rowCount() : 0;
    if (rows == 0) return moveFrom_;
    const int row = rowAt(y);
    if (row >= 0) return row + 1;
    if (y < 0) return std::max(rowAt(0), 0) + 1;
    return rows;  // below the last row: the last place
}

void ArchiveGridView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    if (moveFrom_ > 0 && leftHeld) {
        const int target = MoveTargetAt(pos.y());
        if (target != moveTo_) {
            moveTo_ = target;
            viewport()->update();
        }
    } else if (pressPassedOn_ || !leftHeld) {
        QTableView::mouseMoveEvent(event);
    }
    emit MouseMove(GridColumnAt(pos.x()), GridRowAt(pos.y()));
}

void ArchiveGridView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (moveFrom_ > 0) {
            const int from = moveFrom_;
            const int to = MoveTargetAt(pos.y());
            moveFrom_ = moveTo_ = 0;
            viewport()->update();
            if (from != to) emit RowMoveAsked(from, to);
        } else if (pressPassedOn_) {
            QTableView::mouseReleaseEvent(event);
        }
        pressPassedOn_ = false;
    }
    event->accept();
    emit MouseUp(event->button(), GridColumnAt(pos.x()), GridRowAt(pos.y()));
}

void ArchiveGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int row = GridRowAt(pos.y());
    if (event->button() == Qt::LeftButton && wholeRowSelected_ &&
        GridColumnAt(pos.x()) == column::kNumber && row >= 1 && row == Selection().top)
        emit RowDoubleClicked(row);
    // The second press of a double click is a press like any other.
    mousePressEvent(event);
}

void ArchiveGridView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QTableView::wheelEvent(event);
        return;
    }
    wheelRemainder_ += delta;
    const int steps = wheelRemainder_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRemainder_ -= steps * QWheelEvent::DefaultDeltasPerStep;
    // One line per step, as the scroll bar's arrows move it; the selection stays where it is.
    const auto action =
        steps > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd;
    for (int i = 0; i < std::abs(steps); ++i) verticalScrollBar()->triggerAction(action);
    event->accept();
}

void ArchiveGridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (moveFrom_ <= 0 || moveTo_ == moveFrom_) return;
    const int modelRow = moveTo_ - 1;
    int y = rowViewportPosition(modelRow);
    if (moveTo_ > moveFrom_) y += rowHeight(modelRow);
    QPainter painter(viewport());
    painter.setPen(QPen(palette().highlight(), kMoveMarkWidth));
    painter.drawLine(0, y, viewport()->width(), y);
}

bool ArchiveGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport()) HeaderEvent(event);
    return QTableView::eventFilter(watched, event);
}

// The header is the grid's row 0.
void ArchiveGridView::HeaderEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease)
        return;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const int x = mouse->position().toPoint().x();
    const int col = horizontalHeader()->logicalIndexAt(x);
    if (type == QEvent::MouseMove) {
        emit MouseMove(col, 0);
    } else if (type == QEvent::MouseButtonPress) {
        headerPressed_ = true;
        headerResizing_ = OnSectionBorder(x);
        emit MouseDown(mouse->button(), col, 0, mouse->globalPosition().toPoint());
    } else {
        // The end of a border drag is no click on the header.
        const bool resized = headerResizing_;
        headerPressed_ = headerResizing_ = false;
        if (!resized) emit MouseUp(mouse->button(), col, 0);
    }
}

void ArchiveGridView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) {
    // A drag from the data cells stops at the fixed number column.
    const int firstDataX = columnViewportPosition(column::kNumber) + columnWidth(column::kNumber);
    const QPoint from(std::max(rect.left(), firstDataX), rect.top());
    const QPoint to(std::max(rect.right(), firstDataX), rect.bottom());
    QTableView::setSelection(QRect(from, to), flags);
}

QModelIndex ArchiveGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (!next.isValid() || next.column() != column::kNumber) return next;
    return model()->index(next.row(), column::kNumber + 1);
}

}  // namespace porvel
