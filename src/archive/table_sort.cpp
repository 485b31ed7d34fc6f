#include "table_sort.h"

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <vector>

namespace porvel {
namespace {

constexpr double kMsecsPerDay = 24.0 * 60 * 60 * 1000;

// What building one key gives: the key, or the text of the cell that does not convert.
struct KeyResult {
    bool ok = true;
    int badColumn = 0;
    QString badText;
};

KeyResult Bad(int col, const QString& text) {
    return {false, col, text};
}

double DayFraction(const QTime& time) {
    return time.msecsSinceStartOfDay() / kMsecsPerDay;
}

KeyResult IntegerKey(const ArchiveTable& table, int col, int row, TMyData* item) {
    const Measurement& values = table.Values(row);
    if (col == column::kGrade) {
        // The grade reads "W" and its number, or " - " for none, which sorts as 0.
        item->integerKey = values.grade.value_or(0);
        return {};
    }
    if (!values.number) return Bad(col, table.Cell(col, row));
    item->integerKey = *values.number;
    return {};
}

std::optional<double> FloatingValue(const Measurement& values, int col) {
    switch (col) {
        case column::kAtmosphere:
            return values.atmosphere;
        case column::kM:
            return values.m;
        case column::kA:
            return values.a;
        case column::kH:
            return values.h;
        default:
            return std::nullopt;
    }
}

KeyResult FloatingKey(const ArchiveTable& table, int col, int row, TMyData* item) {
    const Measurement& values = table.Values(row);
    if (col == column::kTime || col == column::kDate) {
        if (col == column::kDate && !values.date.isValid()) return Bad(col, table.Cell(col, row));
        if (!values.time.isValid()) return Bad(column::kTime, table.Cell(column::kTime, row));
        item->floatingKey = DayFraction(values.time);
        if (col == column::kTime) return {};
        item->floatingKey += static_cast<double>(values.date.toJulianDay());
        return {};
    }
    const QString text = table.Cell(col, row);
    // An h that the instrument did not give is an empty cell, or a blank after an earlier sort.
    if (IsBlankText(text)) {
        item->floatingKey = 0.0;
        return {};
    }
    const std::optional<double> value = FloatingValue(values, col);
    if (!value) return Bad(col, text);
    item->floatingKey = *value;
    return {};
}

KeyResult BuildKey(const ArchiveTable& table, int col, int row, TMyData* item) {
    item->row = row;
    switch (SortKeyOf(col)) {
        case SortKey::Integer:
            return IntegerKey(table, col, row, item);
        case SortKey::Floating:
            return FloatingKey(table, col, row, item);
        case SortKey::Text:
            item->textKey = table.Cell(col, row);
            return {};
    }
    return {};
}

// Texts sort by the locale's collation. A column holds few distinct texts (the names of the
// instrument's lists), so those are ordered once and every row sorts by the rank of its text.
void RankTexts(std::vector<TMyData>& items) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseSensitive);
    QStringList distinct;
    QHash<QString, int> rank;
    for (const TMyData& item : items)
        if (!rank.contains(item.textKey)) {
            rank.insert(item.textKey, 0);
            distinct << item.textKey;
        }
    std::sort(distinct.begin(), distinct.end(),
              [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    // Texts the collation holds equal share a rank.
    for (qsizetype i = 0, r = 0; i < distinct.size(); ++i) {
        if (i > 0 && collator.compare(distinct[i - 1], distinct[i]) != 0) ++r;
        rank[distinct[i]] = static_cast<int>(r);
    }
    for (TMyData& item : items) item.integerKey = rank.value(item.textKey);
}

void SortItems(std::vector<TMyData>& items, SortKey kind, int direction) {
    if (kind == SortKey::Text) RankTexts(items);
    auto less = [&](const TMyData& a, const TMyData& b) {
        if (kind == SortKey::Floating) return a.floatingKey < b.floatingKey;
        return a.integerKey < b.integerKey;
    };
    if (direction == sort_direction::kAscending)
        std::sort(items.begin(), items.end(), less);
    else
        std::sort(items.begin(), items.end(),
                  [&](const TMyData& a, const TMyData& b) { return less(b, a); });
}

// Brings the rows into the order of `items`. Empty cells stay empty: a blank in them would go into
// files and exports as a text of one space.
std::vector<int> Reorder(ArchiveTable& table, const std::vector<TMyData>& items) {
    std::vector<int> order;
    order.reserve(items.size());
    for (const TMyData& item : items) order.push_back(item.row);
    table.ReorderDataRows(order);
    return order;
}

}  // namespace

SortKey SortKeyOf(int col) {
    switch (col) {
        case column::kNumber:
        case column::kGrade:
            return SortKey::Integer;
        case column::kTime:
        case column::kDate:
        case column::kAtmosphere:
        case column::kM:
        case column::kA:
        case column::kH:
            return SortKey::Floating;
        default:
            return SortKey::Text;
    }
}

int TurnedSortDirection(int direction) {
    return direction == sort_direction::kDescending ? sort_direction::kAscending
                                                    : sort_direction::kDescending;
}

std::optional<SortKeyError> SortByColumn(ArchiveTable& table, int col, int direction,
                                         std::vector<int>* order) {
    if (order) order->clear();
    if (direction == sort_direction::kNone || col < 0 || col >= ArchiveTable::kColumns)
        return std::nullopt;
    const int rows = table.GridRowCount();
    if (rows < 2) return std::nullopt;
    std::vector<TMyData> items(static_cast<std::size_t>(rows - 1));
    for (int row = 1; row < rows; ++row) {
        const KeyResult key = BuildKey(table, col, row, &items[static_cast<std::size_t>(row - 1)]);
        if (!key.ok) return SortKeyError{key.badColumn, row, key.badText};
    }
    SortItems(items, SortKeyOf(col), direction);
    std::vector<int> sorted = Reorder(table, items);
    if (order) *order = std::move(sorted);
    return std::nullopt;
}

}  // namespace porvel
