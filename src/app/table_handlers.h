// The archive table's reactions in the main window: the header sort with the window's one sort
// direction, the row selection and its clearing, the Delete pop-up and its command, the
// status-bar hints and the two clipboard commands with their Ctrl+C key.
#pragma once

#include <QObject>
#include <QString>

#include "archive/table_sort.h"
#include "base/language.h"
#include "ui/main_texts.h"

class QAction;
class QMenu;
class QStatusBar;

namespace porvel {

class ArchiveGridView;
class ArchiveTable;
class TableHistory;

class TableHandlers : public QObject {
    Q_OBJECT
public:
    struct Parts {
        ArchiveGridView* grid;
        ArchiveTable* table;
        QMenu* popupMenu;  // rowMenu
        QStatusBar* statusBar;
        QWidget* formArea;        // the window's own area around its controls
        QAction* copyTable;       // copyTableAction
        QAction* copyBlock;       // copySelectionAction
        QAction* deleteRow;       // Delete of rowMenu
        TableHistory* history;    // sorts and deletes are made through it, to be undone
        LanguageSource language;  // of the hints, the messages and the copies, when made
    };

    TableHandlers(const Parts& parts, QObject* parent);

    void OnGridMouseRelease(Qt::MouseButton button, int column, int row);
    void OnGridMousePress(Qt::MouseButton button, int column, int row, const QPoint& globalPos);
    void OnGridMouseMove(int column, int row);
    void OnWindowMouseMove();
    // True when the key was a copy and has been handled.
    bool OnGridKeyPressed(int key, Qt::KeyboardModifiers modifiers);
    void OnDeleteClicked();
    void OnCopyTable();
    void OnCopySelection();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Sort(int column);
    bool CanCopy() const;
    static void PutOnClipboard(const QString& text);

    Parts parts_;
    int sortDirection_ = sort_direction::kNone;
};

// Texts of the archive table's reactions: the status-bar hint for the cell under the mouse and
// the message of a sort that a cell stopped.

// Over the header row the sort hint, over a number cell the plot hint, anywhere else over the
// grid (outside the cells too, -1 for column or row) the drag hint.
MainText GridHintAt(int column, int row);

// Names the text of the cell that could not be read as its column's value.
QString SortErrorText(const QString& cellText, Language language);

}  // namespace porvel
