#include "table_history.h"

#include <QWidget>
#include <unordered_set>
#include <utility>

#include "archive/curve_store.h"
#include "archive/table_rows.h"
#include "file_commands.h"
#include "ui/exchange_worker.h"

namespace porvel {

// One change of the table. Commands hold row positions and whole rows as values, never the
// texts of cells, and are recorded after their change was made, so the first redo only shows.
class TableHistory::Command : public QUndoCommand {
public:
    explicit Command(TableHistory& history) : history_(history) {}

    void undo() final {
        Revert(history_.Table());
        history_.Show(before);
    }
    void redo() final {
        if (made_) Apply(history_.Table());
        made_ = true;
        history_.Show(after);
    }
    virtual std::vector<int> Slots() const { return {}; }

    FileMark before;
    FileMark after;

protected:
    virtual void Apply(ArchiveTable& table) = 0;
    virtual void Revert(ArchiveTable& table) = 0;

    static void AddSlots(const std::vector<ArchiveTable::Row>& rows, std::vector<int>& slotList) {
        for (const ArchiveTable::Row& row : rows)
            if (const auto slot = ArchiveTable::SlotIn(row)) slotList.push_back(*slot);
    }

private:
    TableHistory& history_;
    bool made_ = false;
};

namespace {

class DeleteCommand : public TableHistory::Command {
public:
    // `onlyRow`: the table's last data row, which a delete empties rather than removes.
    DeleteCommand(TableHistory& history, int row, ArchiveTable::Row deleted, bool onlyRow)
        : Command(history), row_(row), deleted_(std::move(deleted)), onlyRow_(onlyRow) {}
    std::vector<int> Slots() const override {
        std::vector<int> slotList;
        AddSlots({deleted_}, slotList);
        return slotList;
    }

protected:
    void Apply(ArchiveTable& table) override { porvel::DeleteRow(table, row_); }
    void Revert(ArchiveTable& table) override {
        if (onlyRow_)
            table.ReplaceDataRows({deleted_});
        else
            table.InsertDataRows(row_, {deleted_});
    }

private:
    int row_;
    ArchiveTable::Row deleted_;
    bool onlyRow_;
};

class MoveCommand : public TableHistory::Command {
public:
    MoveCommand(TableHistory& history, int from, int to) : Command(history), from_(from), to_(to) {}

protected:
    void Apply(ArchiveTable& table) override { table.MoveDataRow(from_, to_); }
    void Revert(ArchiveTable& table) override { table.MoveDataRow(to_, from_); }

private:
    int from_;
    int to_;
};

class SortCommand : public TableHistory::Command {
public:
    SortCommand(TableHistory& history, std::vector<int> order)
        : Command(history), order_(std::move(order)), back_(order_.size()) {
        // Position i + 1 now holds the row that was at order_[i]; back_ puts each one home.
        for (std::size_t i = 0; i < order_.size(); ++i)
            back_[static_cast<std::size_t>(order_[i] - 1)] = static_cast<int>(i) + 1;
    }

protected:
    void Apply(ArchiveTable& table) override { table.ReorderDataRows(order_); }
    void Revert(ArchiveTable& table) override { table.ReorderDataRows(back_); }

private:
    std::vector<int> order_;
    std::vector<int> back_;
};

class ReadCommand : public TableHistory::Command {
public:
    // `replaced`: the empty rows of a table that the read filled; without them the rows were
    // appended from `first` on.
    ReadCommand(TableHistory& history, int first, std::vector<ArchiveTable::Row> added,
                std::optional<std::vector<ArchiveTable::Row>> replaced)
        : Command(history),
          first_(first),
          added_(std::move(added)),
          replaced_(std::move(replaced)) {}
    std::vector<int> Slots() const override {
        std::vector<int> slotList;
        AddSlots(added_, slotList);
        return slotList;
    }

protected:
    void Apply(ArchiveTable& table) override {
        if (replaced_)
            table.ReplaceDataRows(added_);
        else
            table.InsertDataRows(first_, added_);
    }
    void Revert(ArchiveTable& table) override {
        if (replaced_)
            table.ReplaceDataRows(*replaced_);
        else
            table.RemoveDataRows(first_, static_cast<int>(added_.size()));
    }

private:
    int first_;
    std::vector<ArchiveTable::Row> added_;
    std::optional<std::vector<ArchiveTable::Row>> replaced_;
};

}  // namespace

TableHistory::TableHistory(ArchiveTable& table, CurveStore& curves, FileState& state,
                           QWidget& window, QObject* parent)
    : QObject(parent), table_(table), curves_(curves), state_(state), window_(window) {
    stack_.setUndoLimit(kStepLimit);
}

TableHistory::~TableHistory() = default;

bool TableHistory::DeleteRow(int row) {
    if (!table_.IsDataRow(row)) return false;
    const FileMark before = Mark();
    const bool onlyRow = table_.GridRowCount() <= ArchiveTable::kMinRows;
    ArchiveTable::Row deleted = table_.DataRows(row, 1).front();
    if (!porvel::DeleteRow(table_, row)) return false;
    window_.setWindowTitle(MarkRowDeleted(state_, window_.windowTitle()));
    Record(new DeleteCommand(*this, row, std::move(deleted), onlyRow), before);
    return true;
}

bool TableHistory::MoveRow(int from, int to) {
    const FileMark before = Mark();
    if (!porvel::MoveRow(table_, from, to)) return false;
    // The user's order is work to keep, as a delete is.
    window_.setWindowTitle(MarkModified(state_, window_.windowTitle()));
    Record(new MoveCommand(*this, from, to), before);
    return true;
}

std::optional<SortKeyError> TableHistory::Sort(int column, int direction) {
    const FileMark before = Mark();
    std::vector<int> order;
    std::optional<SortKeyError> error = SortByColumn(table_, column, direction, &order);
    if (!error && !order.empty()) Record(new SortCommand(*this, std::move(order)), before);
    return error;
}

void TableHistory::RowsRead(const ArchiveReadReport& report,
                            const std::function<void()>& markChanged) {
    if (report.added == 0) return;
    const FileMark before = Mark();
    markChanged();
    const int first = report.firstAddedRow;
    std::vector<ArchiveTable::Row> added = table_.DataRows(first, table_.GridRowCount() - first);
    std::optional<std::vector<ArchiveTable::Row>> replaced;
    if (!report.replacedRows.empty()) replaced = report.replacedRows;
    Record(new ReadCommand(*this, first, std::move(added), std::move(replaced)), before);
}

void TableHistory::Clear() {
    stack_.clear();
}

void TableHistory::MarkSaved() {
    const FileMark saved = Mark();
    FileMark changed = saved;
    changed.modified = true;
    changed.caption += QLatin1Char('*');
    // State s lies after command s - 1 and before command s.
    const int current = stack_.index();
    for (int i = 0; i < stack_.count(); ++i) {
        auto* command = static_cast<Command*>(const_cast<QUndoCommand*>(stack_.command(i)));
        command->before = i == current ? saved : changed;
        command->after = i + 1 == current ? saved : changed;
    }
}

std::vector<int> TableHistory::HeldSlots() const {
    std::vector<int> slotList;
    for (int i = 0; i < stack_.count(); ++i) {
        const auto* command = static_cast<const Command*>(stack_.command(i));
        const std::vector<int> held = command->Slots();
        slotList.insert(slotList.end(), held.begin(), held.end());
    }
    return slotList;
}

void TableHistory::Show(const FileMark& mark) {
    state_.named = mark.named;
    state_.modified = mark.modified;
    window_.setWindowTitle(mark.caption);
}

FileMark TableHistory::Mark() const {
    return {state_.named, state_.modified, window_.windowTitle()};
}

void TableHistory::Record(Command* command, const FileMark& before) {
    command->before = before;
    command->after = Mark();
    // A new change drops the steps undone before it, and the oldest beyond the limit.
    const bool drops = stack_.index() < stack_.count() || stack_.count() >= kStepLimit;
    stack_.push(command);
    if (drops) DropUnusedCurves();
}

void TableHistory::DropUnusedCurves() {
    const std::vector<int> held = HeldSlots();
    std::unordered_set<int> kept(held.begin(), held.end());
    for (int row = 1; row < table_.GridRowCount(); ++row)
        if (const auto slot = table_.SlotOf(row)) kept.insert(*slot);
    curves_.KeepOnly(kept);
}

}  // namespace porvel
