// The archive table: 13 columns of text, header row 0 and one data row per measurement, the
// last three columns being the hidden curve length, sample rate and curve slot. Every view and
// every output reads this one model.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "base/language.h"

namespace porvel {

namespace column {
enum : int {
    kNumber = 0,
    kTime = 1,
    kDate = 2,
    kObject = 3,
    kMaterial = 4,
    kAtmosphere = 5,
    kM = 6,
    kA = 7,
    kH = 8,
    kGrade = 9,
    kCurveLength = 10,
    kSampleRate = 11,
    kSlot = 12,
};
}  // namespace column

// The header of the visible columns 0 to 9, in column order; the main window's text table and
// every output take their column titles from here.
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
std::optional<int> WholeNumber(const QString& cell);

class ArchiveTable : public QAbstractTableModel {
    Q_OBJECT
public:
    using Row = std::array<QString, 13>;
    static constexpr int kColumns = 13;
    static_assert(std::tuple_size_v<Row> == kColumns);
    static constexpr int kHiddenColumns = 3;
    static constexpr int kStartRows = 9;  // header and 8 empty data rows
    static constexpr int kMinRows = 2;    // the header and one data row always exist
    static const std::array<int, kColumns> kDesignWidths;

    explicit ArchiveTable(QObject* parent = nullptr);

    // The grid as the program sees it: row 0 is the header, rows 1.. hold measurements, and
    // GridRowCount() counts both (Qt's rowCount() below counts the measurements only).
    int GridRowCount() const { return static_cast<int>(rows_.size()); }
    void SetGridRowCount(int rows);
    bool IsDataRow(int row) const { return row >= 1 && row < GridRowCount(); }
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    void ClearRow(int row);

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
    void SetHeaderLanguage(Language language);
    static QString HeaderText(int col, Language language);

    // A row's curve: its slot (column 12 as a whole number) and its sample count (column 10, the
    // curve length less the end marker and the checksum).
    std::optional<int> SlotOf(int row) const;
    std::optional<int> SampleCountOf(int row) const;

    // Qt's view of it: data rows only, with row 0 as the horizontal header.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<Row> rows_;
};

}  // namespace porvel
