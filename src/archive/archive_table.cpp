#include "archive_table.h"

#include <algorithm>
#include <iterator>

namespace porvel {

const std::array<int, ArchiveTable::kColumns> ArchiveTable::kDesignWidths = {
    40, 86, 88, 102, 94, 85, 83, 74, 71, 239, 0, 0, 0};

ArchiveTable::ArchiveTable(QObject* parent) : QAbstractTableModel(parent), rows_(kStartRows) {}

void ArchiveTable::SetGridRowCount(int rows) {
    rows = std::max(rows, kMinRows);
    const int old = GridRowCount();
    if (rows > old) {
        beginInsertRows({}, old - 1, rows - 2);
        rows_.resize(static_cast<std::size_t>(rows));
        endInsertRows();
    } else if (rows < old) {
        beginRemoveRows({}, rows - 1, old - 2);
        rows_.resize(static_cast<std::size_t>(rows));
        endRemoveRows();
    }
}

QString ArchiveTable::Cell(int col, int row) const {
    if (col < 0 || col >= kColumns || row < 0 || row >= GridRowCount()) return {};
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void ArchiveTable::SetCell(int col, int row, const QString& text) {
    if (col < 0 || col >= kColumns || row < 0 || row >= GridRowCount()) return;
    QString& cell = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    if (cell == text) return;
    cell = text;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex at = index(row - 1, col);
        emit dataChanged(at, at, {Qt::DisplayRole});
    }
}

void ArchiveTable::ClearRow(int row) {
    for (int col = 0; col < kColumns; ++col) SetCell(col, row, QString());
}

void ArchiveTable::ReplaceDataRows(std::vector<Row> rows) {
    if (rows.empty()) rows.resize(1);
    beginResetModel();
    rows_.resize(1);
    rows_.reserve(rows.size() + 1);
    std::move(rows.begin(), rows.end(), std::back_inserter(rows_));
    endResetModel();
}

bool ArchiveTable::ReorderDataRows(const std::vector<int>& order) {
    const int dataRows = GridRowCount() - 1;
    if (static_cast<int>(order.size()) != dataRows) return false;
    std::vector<int> newPlace(static_cast<std::size_t>(dataRows), 0);  // old data row -> new
    for (int i = 0; i < dataRows; ++i) {
        const int row = order[static_cast<std::size_t>(i)];
        if (!IsDataRow(row) || newPlace[static_cast<std::size_t>(row - 1)] != 0) return false;
        newPlace[static_cast<std::size_t>(row - 1)] = i + 1;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Row> reordered;
    reordered.reserve(rows_.size());
    reordered.push_back(std::move(rows_[0]));
    for (const int row : order)
        reordered.push_back(std::move(rows_[static_cast<std::size_t>(row)]));
    rows_ = std::move(reordered);
    // Selections and the current cell of the views follow their rows.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& at : before)
        after << index(newPlace[static_cast<std::size_t>(at.row())] - 1, at.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return true;
}

bool ArchiveTable::MoveDataRow(int from, int to) {
    if (!IsDataRow(from) || !IsDataRow(to) || from == to) return false;
    // Qt names the place before which the row goes, counted before it is taken out.
    beginMoveRows({}, from - 1, from - 1, {}, to > from ? to : to - 1);
    Row moving = std::move(rows_[static_cast<std::size_t>(from)]);
    rows_.erase(rows_.begin() + from);
    rows_.insert(rows_.begin() + to, std::move(moving));
    endMoveRows();
    return true;
}

bool ArchiveTable::RemoveDataRow(int row) {
    if (!IsDataRow(row)) return false;
    if (GridRowCount() <= kMinRows) {
        ClearRow(row);
        return true;
    }
    beginRemoveRows({}, row - 1, row - 1);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
    return true;
}

std::vector<ArchiveTable::Row> ArchiveTable::DataRows(int first, int count) const {
    if (count <= 0 || !IsDataRow(first) || !IsDataRow(first + count - 1)) return {};
    return {rows_.begin() + first, rows_.begin() + first + count};
}

bool ArchiveTable::InsertDataRows(int at, std::vector<Row> rows) {
    if (rows.empty() || at < 1 || at > GridRowCount()) return false;
    const int count = static_cast<int>(rows.size());
    beginInsertRows({}, at - 1, at - 1 + count - 1);
    rows_.insert(rows_.begin() + at, std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    endInsertRows();
    return true;
}

bool ArchiveTable::RemoveDataRows(int first, int count) {
    if (count <= 0 || !IsDataRow(first) || !IsDataRow(first + count - 1) ||
        GridRowCount() - count < kMinRows)
        return false;
    beginRemoveRows({}, first - 1, first - 1 + count - 1);
    rows_.erase(rows_.begin() + first, rows_.begin() + first + count);
    endRemoveRows();
    return true;
}

std::optional<int> ArchiveTable::SlotIn(const Row& row) {
    return WholeNumber(row[column::kSlot]);
}

bool ArchiveTable::IsEmpty() const {
    return Cell(column::kNumber, 1).isEmpty();
}

QString ArchiveTable::HeaderText(int col, Language language) {
    if (col < 0 || col >= static_cast<int>(kHeaderTexts.size())) return {};
    const TextPair& pair = kHeaderTexts[static_cast<std::size_t>(col)];
    return TextIn(pair, language);
}

void ArchiveTable::SetHeaderLanguage(Language language) {
    for (int col = 0; col < kColumns; ++col) SetCell(col, 0, HeaderText(col, language));
}

std::optional<int> WholeNumber(const QString& cell) {
    bool ok = false;
    const int value = cell.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

std::optional<int> ArchiveTable::SlotOf(int row) const {
    return WholeNumber(Cell(column::kSlot, row));
}

std::optional<int> ArchiveTable::SampleCountOf(int row) const {
    const auto length = WholeNumber(Cell(column::kCurveLength, row));
    if (!length) return std::nullopt;
    return *length - 2;
}

int ArchiveTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : GridRowCount() - 1;
}

int ArchiveTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ArchiveTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return Cell(index.column(), index.row() + 1);
}

QVariant ArchiveTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return Cell(section, 0);
    return section + 1;
}

}  // namespace porvel
