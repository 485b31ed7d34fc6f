// Sizes and rules of the archive file shared by its writer and its reader, so that every file
// the writer makes is one the reader takes.
#pragma once

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <optional>

#include "archive_table.h"
#include "curve_store.h"

namespace porvel::archive_layout {

constexpr int kColumns = ArchiveTable::kColumns;
constexpr qsizetype kCountBytes = 4;  // column count, row count and every cell length
constexpr qsizetype kWordBytes = 2;
constexpr qsizetype kHeaderBytes = 2 * kCountBytes;
// A data row holds at least its cell lengths.
constexpr qsizetype kMinRowBytes = kColumns * kCountBytes;
// A curve is at most one receive slot of the instrument.
constexpr int kMaxCurveWords = static_cast<int>(CurveStore::kMaxCurveWords);
// Far beyond any real archive (10,000 measurements of typical curves take some 30 MiB); a larger
// file is not ours.
constexpr qint64 kMaxFileBytes = qint64{1} << 30;

// The curve words that follow a row: as many as its curve length cell says. A row whose cell
// is no whole number (an empty row, or one that sorting filled with blanks) carries none.
inline std::optional<int> CurveWordsOf(const QString& curveLengthCell) {
    return WholeNumber(curveLengthCell);
}

inline bool CurveFitsSlot(int words) {
    return words >= 0 && words <= kMaxCurveWords;
}

}  // namespace porvel::archive_layout
