// The archive grid, the main window's view of the archive table. It behaves as a grid with a fixed
// header row and a fixed number column: a number cell is never selected by clicking; it selects
// its whole row on release and drags its row to another place. The wheel scrolls by one line
// and leaves the selection alone. Mouse events are reported in grid coordinates (row 0 is the
// header, data row r is the model's row r - 1, -1 outside the cells).
#pragma once

#include <QFont>
#include <QHash>
#include <QTableView>
#include <vector>

#include "archive/archive_table.h"
#include "archive/table_rows.h"

namespace porvel {

class ArchiveGridView : public QTableView {
    Q_OBJECT
public:
    explicit ArchiveGridView(QWidget* parent = nullptr);

    void SetArchive(ArchiveTable* archive);

    // The bounding block of the selection, empty when nothing is selected.
    GridSelection Selection() const;
    // The whole row, every column included, as a release over its number cell selects it.
    void SelectWholeRow(int row);
    // No cell shows as selected.
    void ClearGridSelection();
    // Shows the rows `shown` marks (the first entry is grid row 1) and hides the others, laying
    // the view out once rather than once a row.
    void ShowRows(const std::vector<bool>& shown);

    // Grid coordinates of a point of the viewport.
    int GridColumnAt(int x) const;
    int GridRowAt(int y) const;

    void selectAll() override;

    // The least width of each column (the design's widths); every shown column is as wide as
    // its header and its widest cell, never less, after every change of the contents.
    void SetMinimumColumnWidths(std::vector<int> widths);
    void FitColumns();
    // The direction arrow on the header of the column the table was last sorted by; gone when
    // new rows come.
    void ShowSortOrder(int column, bool ascending);

signals:
    void MouseDown(Qt::MouseButton button, int column, int row, const QPoint& globalPos);
    void MouseUp(Qt::MouseButton button, int column, int row);
    void MouseMove(int column, int row);
    // A double click on the number cell of the row selected through it; `row` is that row.
    void RowDoubleClicked(int row);
    // A row dragged by its number cell and dropped at another place (grid rows); the owner of
    // the table moves it.
    void RowMoveAsked(int from, int to);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void PressInGrid(QMouseEvent* event);
    void HeaderEvent(QEvent* event);
    int MoveTargetAt(int y) const;
    void OnCurrentChanged();
    void ScheduleFit();
    bool OnSectionBorder(int x) const;

    ArchiveTable* archive_ = nullptr;
    // True while the last selection was made through a number cell and has not moved since:
    // the state in which a double click on that number cell charts the row.
    bool wholeRowSelected_ = false;
    bool selectingRow_ = false;   // our own change of the current cell, not the user's
    bool pressPassedOn_ = false;  // the last left press went to the view's own selection
    int moveFrom_ = 0;            // data row pressed by its number cell, 0 when none
    int moveTo_ = 0;
    int wheelRemainder_ = 0;  // part of a wheel step from high-resolution wheels
    std::vector<int> minimumWidths_;
    QFont measuredFont_;
    QHash<QString, int> textWidths_;  // in measuredFont_
    bool fitPending_ = false;
    bool headerPressed_ = false;
    bool headerResizing_ = false;  // the press was on a border, or a column has changed width
};

}  // namespace porvel
