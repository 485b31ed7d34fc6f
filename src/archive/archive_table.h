// The archive table: one row per measurement, each its texts and the values they say
// (`Measurement`), shown as ten columns under the titles of the display language. Every view and
// every output reads this one model. Rows are counted as the grid counts them, from 1.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "base/language.h"
#include "measurement.h"

namespace porvel {

// The header of the visible columns 0 to 9, in column order; the grid and every output take
// their column titles from here.
inline constexpr std::array<TextPair, 10> kHeaderTexts = {{
    {u"№", u"№"},
    {u"Время", u"Time"},
    {u"Дата", u"Date"},
    {u"Объект", u"Object"},
    {u"Материал", u"Material"},
    {u"Ратм, кПа", u"Pair, kPa"},
    {u"m, с/см3", u"m, s/cm3"},
    {u"a, см3/с", u"a, cm3/s"},
    {u"h, см", u"h, cm"},
    {u"Марка водонепроницаемости", u"Brand waterproof"},
}};

// A bookkeeping cell (curve length, sample rate, slot) as a whole number; blanks around it are
// allowed, anything else is no number.
inline std::optional<int> WholeNumber(QStringView cell) {
    return TableTextReader::WholeNumber(cell);
}

class ArchiveTable : public QAbstractTableModel {
    Q_OBJECT
public:
    using Row = RowTexts;
    static constexpr int kColumns = kRowCells;         // the cells of a row, as the file keeps them
    static constexpr int kShownColumns = kShownCells;  // those a view shows
    static constexpr int kStartRows = 9;  // 8 empty rows: one more than the last row's number
    static constexpr int kMinRows = 2;    // one row always exists
    static const std::array<int, kShownColumns> kDesignWidths;

    explicit ArchiveTable(QObject* parent = nullptr);

    // Rows 1.. hold measurements, and GridRowCount() is one more than the last of them, as the
    // grid counts them under its title row (Qt's rowCount() below counts from 0).
    int GridRowCount() const { return static_cast<int>(rows_.size()) + 1; }
    void SetGridRowCount(int rows);
    bool IsDataRow(int row) const { return row >= 1 && row < GridRowCount(); }
    // A cell's text as it was entered or read; empty outside the rows.
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    void ClearRow(int row);
    // What the grid shows at a place: the column title in row 0, a cell's text below it. For the
    // outputs that print the table under its titles (listing, exports, clipboard).
    QString ShownText(int col, int row) const { return row == 0 ? Header(col) : Cell(col, row); }
    // What a row's texts say; a blank measurement outside the rows.
    const Measurement& Values(int row) const;

    // Work on many rows at once, each telling the views once rather than cell by cell.
    // Replaces every data row; an empty list leaves one empty data row.
    void ReplaceDataRows(std::vector<Row> rows);
    // Puts the data rows in a new order: `order` lists every data row once, the one that comes
    // first at its head. False, and nothing changed, when `order` is not such a list.
    bool ReorderDataRows(const std::vector<int>& order);
    // Takes data row `from` out and puts it back at `to`; the rows between close up.
    bool MoveDataRow(int from, int to);
    // Takes data row `row` out; the last data row left is emptied instead.
    bool RemoveDataRow(int row);
    // Whole data rows as values, for whoever keeps them to put them back (the undo history):
    // `count` rows from `first`, all of them or none.
    std::vector<Row> DataRows(int first, int count) const;
    // Puts `rows` in before data row `at` (GridRowCount() to append). False, and nothing
    // changed, when `at` is no such place.
    bool InsertDataRows(int at, std::vector<Row> rows);
    // Takes `count` data rows from `first` out; at least one data row stays. False, and nothing
    // changed, when they are not all data rows or would leave none.
    bool RemoveDataRows(int first, int count);
    // The curve slot a row kept as a value names.
    static std::optional<int> SlotIn(const Row& row);
    // Empty when the number cell of the first data row is empty.
    bool IsEmpty() const;
    // The column titles, in a language; none until one is set.
    void SetHeaderLanguage(Language language);
    std::optional<Language> HeaderLanguage() const { return header_; }
    QString Header(int col) const;
    static QString HeaderText(int col, Language language);

    // A row's curve: its slot and its sample count.
    std::optional<int> SlotOf(int row) const { return Values(row).slot; }
    std::optional<int> SampleCountOf(int row) const { return Values(row).SampleCount(); }

    // Qt's view of it: the measurements from 0, the shown columns, the titles as its header.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Entry {
        Row texts;
        Measurement values;
    };
    Entry MakeEntry(Row texts) const;
    Entry& At(int row) { return rows_[static_cast<std::size_t>(row - 1)]; }
    const Entry& At(int row) const { return rows_[static_cast<std::size_t>(row - 1)]; }

    TableTextReader reader_;
    std::vector<Entry> rows_;
    std::optional<Language> header_;
    Measurement blank_;
};

}  // namespace porvel
