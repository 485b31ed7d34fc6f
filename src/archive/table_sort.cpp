#include "table_sort.h"

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "base/locale_format.h"

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

// The whole number at the start of `text` the way the C library reads one: leading white space
// skipped, an optional sign, then decimal digits; 0 when there are none. Values beyond the
// 32-bit range stay at its ends.
int LeadingWholeNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isCSpace = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
    };
    while (i < n && isCSpace(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long value = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min(kLimit, value * 10 + (text[i].unicode() - u'0'));
    const long long signedValue = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(signedValue, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

double DayFraction(const QTime& time) {
    return time.msecsSinceStartOfDay() / kMsecsPerDay;
}

KeyResult IntegerKey(const ArchiveTable& table, int col, int row, TMyData* item) {
    const QString text = table.Cell(col, row);
    if (col == column::kGrade) {
        // The grade reads "W" and its number, or " - " for none: the number after the first
        // character, 0 when nothing follows.
        item->integerKey = LeadingWholeNumber(text.mid(1));
        return {};
    }
    bool ok = false;
    item->integerKey = text.trimmed().toInt(&ok);
    return ok ? KeyResult{} : Bad(col, text);
}

KeyResult FloatingKey(const ArchiveTable& table, int col, int row, DateTimeParser& parsed,
                      TMyData* item) {
    const QString text = table.Cell(col, row);
    if (col == column::kTime || col == column::kDate) {
        const QString timeText = table.Cell(column::kTime, row);
        const QTime time = parsed.Time(timeText);
        if (col == column::kTime) {
            if (!time.isValid()) return Bad(column::kTime, timeText);
            item->floatingKey = DayFraction(time);
            return {};
        }
        const QDate date = parsed.Date(text);
        if (!date.isValid()) return Bad(col, text);
        if (!time.isValid()) return Bad(column::kTime, timeText);
        item->floatingKey = static_cast<double>(date.toJulianDay()) + DayFraction(time);
        return {};
    }
    // An h that the instrument did not give is an empty cell, or a blank after an earlier sort.
    if (text.trimmed().isEmpty()) {
        item->floatingKey = 0.0;
        return {};
    }
    double value = 0.0;
    // Either decimal separator: an archive keeps the texts of the desktop that read it.
    if (!ParseTableNumber(text, &value) || !std::isfinite(value)) return Bad(col, text);
    item->floatingKey = value;
    return {};
}

KeyResult BuildKey(const ArchiveTable& table, int col, int row, DateTimeParser& parsed,
                   TMyData* item) {
    item->row = row;
    switch (SortKeyOf(col)) {
        case SortKey::Integer:
            return IntegerKey(table, col, row, item);
        case SortKey::Floating:
            return FloatingKey(table, col, row, parsed, item);
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
    DateTimeParser parsed;
    for (int row = 1; row < rows; ++row) {
        const KeyResult key =
            BuildKey(table, col, row, parsed, &items[static_cast<std::size_t>(row - 1)]);
        if (!key.ok) return SortKeyError{key.badColumn, row, key.badText};
    }
    SortItems(items, SortKeyOf(col), direction);
    std::vector<int> sorted = Reorder(table, items);
    if (order) *order = std::move(sorted);
    return std::nullopt;
}

}  // namespace porvel
