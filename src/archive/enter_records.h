// Turning the records of an archive read into table rows and their curves into store slots.
#pragma once

#include <cstdint>
#include <vector>

#include "base/language.h"

namespace porvel {

class ArchiveTable;
class CurveStore;
class NameTable;
struct ArchiveRecord;

// Into an empty table the records become rows 1..N with slots 0..N-1; into a filled one each
// is appended unless a row of the same date, hour and minute exists. `records` holds `count`
// records of 36 bytes and `curveArea` their curve blocks, one 64 KiB slot each: only records
// that were really received.
// Returns how many new records were left out because the curve store could take no more of
// their curves (from the first that did not fit on, so the table keeps the instrument's order);
// the caller must tell the user, or those measurements would be lost without a word.
// `heldSlots` are curves that rows kept elsewhere still name (the undo history): they stay in the
// store, and new rows take other slots. A record marked in `withoutCurve` (its curve did not come
// whole) is entered with its values, a curve length of 0 and nothing in the store.
[[nodiscard]] unsigned EnterRecords(ArchiveTable& table, CurveStore& curves, unsigned count,
                                    const std::uint8_t* records, const std::uint8_t* curveArea,
                                    const NameTable& objects, const NameTable& materials,
                                    Language language, const std::vector<int>& heldSlots = {},
                                    const std::vector<bool>& withoutCurve = {});

// Writes the 13 cells of one record into `row`, naming `slot` as its curve.
void EnterRecord(ArchiveTable& table, int row, int slot, const ArchiveRecord& record,
                 const NameTable& objects, const NameTable& materials, Language language);

}  // namespace porvel
