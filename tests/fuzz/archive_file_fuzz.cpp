// libFuzzer target of the archive file reader. Any bytes are either refused, with the table and
// the curves left as they were, or read into a table whose rows name distinct slots of the
// store and which, written out again, reads back to the same cells and curves.
#include <QBuffer>
#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

#include "archive/archive_file.h"
#include "archive/archive_layout.h"
#include "archive/archive_table.h"
#include "archive/curve_store.h"

namespace {

using porvel::ArchiveTable;
using porvel::CurveStore;
namespace column = porvel::column;
namespace layout = porvel::archive_layout;

QStringList DataCells(const ArchiveTable& table) {
    QStringList cells;
    for (int row = 1; row < table.GridRowCount(); ++row)
        for (int col = 0; col < ArchiveTable::kColumns; ++col) cells << table.Cell(col, row);
    return cells;
}

// The curve words of every row, in row order.
std::vector<std::vector<std::uint16_t>> RowCurves(const ArchiveTable& table,
                                                  const CurveStore& curves) {
    std::vector<std::vector<std::uint16_t>> all;
    for (int row = 1; row < table.GridRowCount(); ++row) {
        const auto slot = table.SlotOf(row);
        const std::uint16_t* words = slot ? curves.Words(*slot) : nullptr;
        all.emplace_back();
        if (words) all.back().assign(words, words + curves.WordCount(*slot));
    }
    return all;
}

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

// Every row with curve words names a slot of its own, holding exactly that many words; a row
// whose curve length is 0 needs none.
void RequireOwnSlots(const ArchiveTable& table, const CurveStore& curves) {
    std::set<int> seen;
    std::size_t words = 0;
    for (int row = 1; row < table.GridRowCount(); ++row) {
        const auto length = layout::CurveWordsOf(table.Cell(column::kCurveLength, row));
        if (!length || *length == 0) continue;
        const auto slot = table.SlotOf(row);
        Require(slot && curves.Has(*slot) && seen.insert(*slot).second);
        Require(curves.WordCount(*slot) == static_cast<std::size_t>(*length));
        words += static_cast<std::size_t>(*length);
    }
    // The store holds the file's curves and nothing else.
    Require(curves.CurveCount() == seen.size() && curves.TotalWords() == words);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Kept from input to input, as the program keeps its table and store for the whole run.
    static ArchiveTable table;
    static CurveStore curves;
    static ArchiveTable again;

    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList before = DataCells(table);
    const int rowsBefore = table.GridRowCount();
    const porvel::ArchiveFileResult read = porvel::ReadArchiveBytes(bytes, table, curves);
    if (!read.Ok()) {
        Require(read.Refused() && table.GridRowCount() == rowsBefore && DataCells(table) == before);
        return 0;
    }
    Require(read.dataRows == table.GridRowCount() - 1);
    RequireOwnSlots(table, curves);

    QBuffer written;
    written.open(QIODevice::WriteOnly);
    Require(porvel::WriteArchive(table, curves, written));
    const QByteArray copy = written.data();
    const std::vector<std::vector<std::uint16_t>> curvesBefore = RowCurves(table, curves);
    Require(porvel::ReadArchiveBytes(copy, again, curves).Ok());
    Require(DataCells(again) == DataCells(table));
    Require(RowCurves(again, curves) == curvesBefore);
    return 0;
}
