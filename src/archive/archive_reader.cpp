// Reading the archive file: the whole file is checked and staged before anything is replaced.
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

#include "archive_file.h"
#include "archive_layout.h"
#include "archive_table.h"
#include "curve_store.h"
#include "wire/cp1251.h"

namespace porvel {
namespace {

namespace layout = archive_layout;

struct StagedRow {
    std::array<QString, layout::kColumns> cells;
    qsizetype curveAt = 0;  // offset of the curve words in the file
    int words = 0;
    int slot = 0;  // as its slot cell names it
    bool hasCurve = false;
};

struct Staged {
    std::vector<StagedRow> rows;
    std::vector<int> namedSlots;  // one per row with a curve, in row order
};

// What the rows and curves of a file take once read. Every row is held three times at the
// peak (staged, the new rows, the table's with its values), each cell's text in UTF-16 with its
// string's header.
constexpr qint64 kRowBytes =
    sizeof(StagedRow) + 2 * sizeof(ArchiveTable::Row) + sizeof(Measurement);
constexpr qint64 kCellTextOverheadBytes = 32;

struct Footprint {
    qint64 curveWords = 0;
    qint64 textBytes = 0;
};

// An open may take what the store may hold in curves and, for the rows and their texts, a
// quarter of the store's default budget: 256 MiB, some 280,000 rows where a large archive has
// 10,000.
qint64 MemoryBudgetBytes(std::size_t curveBudgetWords) {
    constexpr qint64 kRowsBytes =
        static_cast<qint64>(CurveStore::kDefaultBudgetWords) * layout::kWordBytes / 4;
    return static_cast<qint64>(curveBudgetWords) * layout::kWordBytes + kRowsBytes;
}

class Cursor {
public:
    explicit Cursor(const QByteArray& bytes) : bytes_(bytes) {}
    qsizetype Left() const { return bytes_.size() - at_; }
    qsizetype At() const { return at_; }
    bool ReadCount(qint32* value) {
        if (Left() < layout::kCountBytes) return false;
        *value = qFromLittleEndian<qint32>(bytes_.constData() + at_);
        at_ += layout::kCountBytes;
        return true;
    }
    const char* Take(qsizetype size) {
        const char* start = bytes_.constData() + at_;
        at_ += size;
        return start;
    }

private:
    const QByteArray& bytes_;
    qsizetype at_ = 0;
};

// A row as it lies in the file: each cell's bytes, and where its curve words are.
struct RowBytes {
    std::array<const char*, layout::kColumns> cells{};
    std::array<qint32, layout::kColumns> lengths{};
    qsizetype curveAt = 0;
    int words = 0;
    int slot = 0;
    bool hasCurve = false;
};

// The text of a cell: its bytes up to the first 0 byte among them.
qsizetype TextLength(const char* bytes, qint32 length) {
    const void* zero = std::memchr(bytes, 0, static_cast<std::size_t>(length));
    return zero ? static_cast<const char*>(zero) - bytes : length;
}

// A whole number in a cell's bytes, as WholeNumber reads its text. The cells that say where a
// curve goes are plain ASCII in every file we write; others are decoded first.
std::optional<int> WholeNumberIn(const char* bytes, qint32 length) {
    constexpr qsizetype kShort = 16;
    const qsizetype size = TextLength(bytes, length);
    QChar wide[kShort];
    bool ascii = size <= kShort;
    for (qsizetype i = 0; ascii && i < size; ++i) {
        ascii = static_cast<unsigned char>(bytes[i]) < 0x80;
        wide[i] = QLatin1Char(bytes[i]);
    }
    if (!ascii) return WholeNumber(FromCp1251(bytes, size));
    return WholeNumber(QStringView(wide, size));
}

// Steps over one row, checking that it and its curve lie whole within the file.
ArchiveFault WalkRow(Cursor& in, RowBytes* row) {
    for (int col = 0; col < layout::kColumns; ++col) {
        qint32& length = row->lengths[static_cast<std::size_t>(col)];
        if (!in.ReadCount(&length)) return ArchiveFault::PastEnd;
        if (length < 0) return ArchiveFault::NegativeLength;
        if (length > in.Left()) return ArchiveFault::PastEnd;
        row->cells[static_cast<std::size_t>(col)] = in.Take(length);
    }
    auto number = [&](int col) {
        const auto at = static_cast<std::size_t>(col);
        return WholeNumberIn(row->cells[at], row->lengths[at]);
    };
    row->hasCurve = false;
    const auto words = number(column::kCurveLength);
    if (!words) return ArchiveFault::None;
    if (*words < 0) return ArchiveFault::NegativeLength;
    if (!layout::CurveFitsSlot(*words)) return ArchiveFault::CurveTooLong;
    const qsizetype bytes = qsizetype{*words} * layout::kWordBytes;
    if (bytes > in.Left()) return ArchiveFault::PastEnd;
    if (*words == 0) return ArchiveFault::None;  // no curve words: the row needs no slot
    const auto slot = number(column::kSlot);
    if (!slot) return ArchiveFault::SlotNotWhole;
    row->hasCurve = true;
    row->words = *words;
    row->slot = *slot;
    row->curveAt = in.At();
    in.Take(bytes);
    return ArchiveFault::None;
}

// Every row walked once without being kept, its texts counted rather than decoded, so that
// nothing is sized by the file before it is known whole and within the budgets.
ArchiveFault Measure(Cursor in, qsizetype dataRows, std::size_t budgetWords) {
    Footprint footprint;
    RowBytes row;
    for (qsizetype i = 0; i < dataRows; ++i) {
        if (const ArchiveFault fault = WalkRow(in, &row); fault != ArchiveFault::None) return fault;
        for (const qint32 length : row.lengths)
            if (length > 0) footprint.textBytes += kCellTextOverheadBytes + qint64{length} * 2;
        if (row.hasCurve) footprint.curveWords += row.words;
    }
    if (in.Left() != 0) return ArchiveFault::TrailingBytes;
    if (static_cast<quint64>(footprint.curveWords) > budgetWords)
        return ArchiveFault::CurvesBeyondBudget;
    const qint64 needed =
        dataRows * kRowBytes + footprint.textBytes + footprint.curveWords * layout::kWordBytes;
    if (needed > MemoryBudgetBytes(budgetWords)) return ArchiveFault::BeyondMemoryBudget;
    return ArchiveFault::None;
}

ArchiveFault Stage(const QByteArray& bytes, std::size_t budgetWords, Staged* staged) {
    if (bytes.size() > layout::kMaxFileBytes) return ArchiveFault::TooLarge;
    Cursor in(bytes);
    qint32 columns = 0, rows = 0;
    if (!in.ReadCount(&columns) || !in.ReadCount(&rows)) return ArchiveFault::PastEnd;
    if (columns != layout::kColumns) return ArchiveFault::ColumnCount;
    if (rows < ArchiveTable::kMinRows) return ArchiveFault::RowCount;
    const qsizetype dataRows = rows - 1;
    if (dataRows > in.Left() / layout::kMinRowBytes) return ArchiveFault::PastEnd;
    if (const ArchiveFault fault = Measure(in, dataRows, budgetWords); fault != ArchiveFault::None)
        return fault;
    staged->rows.resize(static_cast<std::size_t>(dataRows));
    RowBytes bytesOfRow;
    for (StagedRow& row : staged->rows) {
        (void)WalkRow(in, &bytesOfRow);  // measured sound above
        for (std::size_t col = 0; col < row.cells.size(); ++col) {
            const char* cell = bytesOfRow.cells[col];
            row.cells[col] = FromCp1251(cell, TextLength(cell, bytesOfRow.lengths[col]));
        }
        row.curveAt = bytesOfRow.curveAt;
        row.words = bytesOfRow.words;
        row.slot = bytesOfRow.slot;
        row.hasCurve = bytesOfRow.hasCurve;
        if (row.hasCurve) staged->namedSlots.push_back(row.slot);
    }
    return ArchiveFault::None;
}

// The new curves are made in a store of their own and the new rows beside the table; only when
// both are whole do they replace the old ones, so running out of memory changes nothing.
void Commit(const QByteArray& bytes, Staged& staged, const std::vector<int>& assigned,
            ArchiveTable& table, CurveStore& curves) {
    CurveStore newCurves(curves.BudgetWords());
    std::vector<ArchiveTable::Row> newRows(staged.rows.size());
    auto slot = assigned.begin();
    for (std::size_t i = 0; i < staged.rows.size(); ++i) {
        StagedRow& row = staged.rows[i];
        if (row.hasCurve) {
            const auto* source =
                reinterpret_cast<const std::uint8_t*>(bytes.constData()) + row.curveAt;
            // The budget was checked while staging.
            if (!newCurves.StoreBlock(*slot, source, static_cast<std::size_t>(row.words)))
                throw std::bad_alloc();
            if (WholeNumber(row.cells[column::kSlot]) != *slot)
                row.cells[column::kSlot] = QString::number(*slot);
            ++slot;
        }
        newRows[i] = std::move(row.cells);
    }
    curves.Swap(newCurves);
    table.ReplaceDataRows(std::move(newRows));
}

}  // namespace

ArchiveFileResult ReadArchiveBytes(const QByteArray& bytes, ArchiveTable& table,
                                   CurveStore& curves) {
    ArchiveFileResult result;
    Staged staged;
    result.fault = Stage(bytes, curves.BudgetWords(), &staged);
    if (!result.Ok()) return result;
    const std::vector<int> assigned = AssignSlots(staged.namedSlots);
    Commit(bytes, staged, assigned, table, curves);
    result.dataRows = static_cast<int>(staged.rows.size());
    return result;
}

ArchiveFileResult ReadArchiveFile(const QString& path, ArchiveTable& table, CurveStore& curves) {
    ArchiveFileResult result;
    // A folder, a device or a pipe is never opened: reading one may not end.
    if (const QFileInfo info(path); info.exists() && !info.isFile()) {
        result.fault = ArchiveFault::NotOrdinaryFile;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.fault = ArchiveFault::CannotOpen;
        result.reason = file.errorString();
        return result;
    }
    if (file.size() > layout::kMaxFileBytes) {
        result.fault = ArchiveFault::TooLarge;
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.fault = ArchiveFault::CannotOpen;
        result.reason = file.errorString();
        return result;
    }
    return ReadArchiveBytes(bytes, table, curves);
}

}  // namespace porvel
