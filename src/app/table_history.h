// The archive table's undo history: every change the user makes to the table's rows (a delete, a
// move, a sort, the rows a read brought) is a command that Undo takes back and Redo makes again,
// each with the archive's modified flag and caption as they stood before and after it.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <optional>
#include <vector>

#include "archive/archive_table.h"
#include "archive/table_sort.h"

class QWidget;

namespace porvel {

class CurveStore;
struct ArchiveReadReport;
struct FileState;

// The file state a command leaves behind, as the caption shows it.
struct FileMark {
    bool named = false;
    bool modified = false;
    QString caption;
};

class TableHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kStepLimit = 100;

    TableHistory(ArchiveTable& table, CurveStore& curves, FileState& state, QWidget& window,
                 QObject* parent = nullptr);
    ~TableHistory() override;

    QUndoStack& Stack() { return stack_; }
    class Command;

    // The user's changes, made and recorded. Nothing is recorded for a change that did not
    // happen (false, or the error of a sort that a cell stopped).
    // A delete names the archive and marks it modified, with the caption's "*".
    bool DeleteRow(int row);
    // A move marks the archive modified, with the caption's "*".
    bool MoveRow(int from, int to);
    // A sort leaves the file state as it was.
    std::optional<SortKeyError> Sort(int column, int direction);
    // Records the rows a read has just entered, as its report places them; `markChanged` is run
    // to mark the archive for them, and its result is what Redo restores.
    void RowsRead(const ArchiveReadReport& report, const std::function<void()>& markChanged);

    // The table is a new archive (New, Open, a restore): nothing before it can be undone.
    void Clear();
    // The table is what its file holds: that state is unmodified, every other one is modified.
    void MarkSaved();

    // The curve slots of the rows the history keeps; those curves stay in the store.
    std::vector<int> HeldSlots() const;

    // Used by the commands.
    ArchiveTable& Table() { return table_; }
    void Show(const FileMark& mark);

private:
    FileMark Mark() const;
    // Records a change already made; `before` is the file state before it.
    void Record(Command* command, const FileMark& before);
    // Drops the curves that no row of the table and no command names any more.
    void DropUnusedCurves();

    ArchiveTable& table_;
    CurveStore& curves_;
    FileState& state_;
    QWidget& window_;
    QUndoStack stack_;
};

}  // namespace porvel
