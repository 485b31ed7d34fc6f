#include "archive_table.h"

#include <algorithm>
#include <iterator>

namespace porvel {

const std::array<int, ArchiveTable::kShownColumns> ArchiveTable::kDesignWidths = {
    40, 86, 88, 102, 94, 85, 83, 74, 71, 239};

ArchiveTable::ArchiveTable(QObject* parent)
    : QAbstractTableModel(parent), rows_(kStartRows - 1, MakeEntry({})) {}

ArchiveTable::Entry ArchiveTable::MakeEntry(Row texts) const {
    Measurement values = ReadMeasurement(texts, reader_);
    return {std::move(texts), std::move(values)};
}

void ArchiveTable::SetGridRowCount(int rows) {
    rows = std::max(rows, kMinRows);
    const int old = GridRowCount();
    if (rows > old) {
        beginInsertRows({}, old - 1, rows - 2);
        rows_.resize(static_cast<std::size_t>(rows - 1), MakeEntry({}));
        endInsertRows();
    } else if (rows < old) {
        beginRemoveRows({}, rows - 1, old - 2);
        rows_.resize(static_cast<std::size_t>(rows - 1));
        endRemoveRows();
    }
}

QString ArchiveTable::Cell(int col, int row) const {
    if (col < 0 || col >= kColumns || !IsDataRow(row)) return {};
    return At(row).texts[static_cast<std::size_t>(col)];
}

const Measurement& ArchiveTable::Values(int row) const {
    return IsDataRow(row) ? At(row).values : blank_;
}

void ArchiveTable::SetCell(int col, int row, const QString& text) {
    if (col < 0 || col >= kColumns || !IsDataRow(row)) return;
    Entry& entry = At(row);
    QString& cell = entry.texts[static_cast<std::size_t>(col)];
    if (cell == text) return;
    cell = text;
    entry.values = ReadMeasurement(entry.texts, reader_);
    if (col < kShownColumns) {
        const QModelIndex at = index(row - 1, col);
        emit dataChanged(at, at, {Qt::DisplayRole});
    }
}

void ArchiveTable::ClearRow(int row) {
    for (int col = 0; col < kColumns; ++col) SetCell(col, row, QString());
}

void ArchiveTable::ReplaceDataRows(std::vector<Row> rows) {
    if (rows.empty()) rows.resize(1);
    std::vector<Entry> entries;
    entries.reserve(rows.size());
    for (Row& row : rows) entries.push_back(MakeEntry(std::move(row)));
    beginResetModel();
    rows_ = std::move(entries);
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
    std::vector<Entry> reordered;
    reordered.reserve(rows_.size());
    for (const int row : order) reordered.push_back(std::move(At(row)));
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
    Entry moving = std::move(At(from));
    rows_.erase(rows_.begin() + (from - 1));
    rows_.insert(rows_.begin() + (to - 1), std::move(moving));
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
    rows_.erase(rows_.begin() + (row - 1));
    endRemoveRows();
    return true;
}

std::vector<ArchiveTable::Row> ArchiveTable::DataRows(int first, int count) const {
    if (count <= 0 || !IsDataRow(first) || !IsDataRow(first + count - 1)) return {};
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int row = first; row < first + count; ++row) rows.push_back(At(row).texts);
    return rows;
}

bool ArchiveTable::InsertDataRows(int at, std::vector<Row> rows) {
    if (rows.empty() || at < 1 || at > GridRowCount()) return false;
    const int count = static_cast<int>(rows.size());
    std::vector<Entry> entries;
    entries.reserve(rows.size());
    for (Row& row : rows) entries.push_back(MakeEntry(std::move(row)));
    beginInsertRows({}, at - 1, at - 1 + count - 1);
    rows_.insert(rows_.begin() + (at - 1), std::make_move_iterator(entries.begin()),
                 std::make_move_iterator(entries.end()));
    endInsertRows();
    return true;
}

bool ArchiveTable::RemoveDataRows(int first, int count) {
    if (count <= 0 || !IsDataRow(first) || !IsDataRow(first + count - 1) ||
        GridRowCount() - count < kMinRows)
        return false;
    beginRemoveRows({}, first - 1, first - 1 + count - 1);
    rows_.erase(rows_.begin() + (first - 1), rows_.begin() + (first - 1 + count));
    endRemoveRows();
    return true;
}

std::optional<int> ArchiveTable::SlotIn(const Row& row) {
    return WholeNumber(row[column::kSlot]);
}

bool ArchiveTable::IsEmpty() const {
    return Values(1).blank;
}

QString ArchiveTable::HeaderText(int col, Language language) {
    if (col < 0 || col >= static_cast<int>(kHeaderTexts.size())) return {};
    const TextPair& pair = kHeaderTexts[static_cast<std::size_t>(col)];
    return TextIn(pair, language);
}

QString ArchiveTable::Header(int col) const {
    return header_ ? HeaderText(col, *header_) : QString();
}

void ArchiveTable::SetHeaderLanguage(Language language) {
    if (header_ == language) return;
    header_ = language;
    emit headerDataChanged(Qt::Horizontal, 0, kShownColumns - 1);
}

int ArchiveTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : GridRowCount() - 1;
}

int ArchiveTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kShownColumns;
}

QVariant ArchiveTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return Cell(index.column(), index.row() + 1);
}

QVariant ArchiveTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return Header(section);
    return section + 1;
}

}  // namespace porvel
