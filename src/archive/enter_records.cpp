#include "enter_records.h"

#include <QDateTime>
#include <algorithm>
#include <unordered_set>
#include <vector>

#include "archive_record.h"
#include "archive_table.h"
#include "base/locale_format.h"
#include "curve_store.h"
#include "wire/name_tables.h"
#include "wire/protocol.h"

namespace porvel {
namespace {

constexpr double kHStep = 0.01;
constexpr qint64 kMinutesPerDay = 24 * 60;

QDate RecordDate(const ArchiveRecord& r) {
    return QDate(record::kBaseYear + r.year, r.month, r.day);
}

QTime RecordTime(const ArchiveRecord& r) {
    return QTime(r.hour, r.minute, 0);
}

// Date and time to the minute as one number; none when either does not make sense.
std::optional<qint64> MinuteKey(const QDate& date, const QTime& time) {
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    return date.toJulianDay() * kMinutesPerDay + time.hour() * 60 + time.minute();
}

std::optional<qint64> RowMinuteKey(const ArchiveTable& table, int row) {
    const Measurement& values = table.Values(row);
    return MinuteKey(values.date, values.time);
}

const std::uint8_t* CurveSlot(const std::uint8_t* curveArea, unsigned i) {
    return curveArea + static_cast<std::size_t>(i) * protocol::kCurveSlotBytes;
}

}  // namespace

void EnterRecord(ArchiveTable& table, int row, int slot, const ArchiveRecord& r,
                 const NameTable& objects, const NameTable& materials, Language language) {
    using namespace column;
    table.ClearRow(row);
    table.SetCell(kNumber, row, QString::number(r.number));
    table.SetCell(kTime, row, FormatTime(RecordTime(r)));
    table.SetCell(kDate, row, FormatDate(RecordDate(r)));
    table.SetCell(kObject, row, objects.Name(r.object, language));
    table.SetCell(kMaterial, row, materials.Name(r.material, language));
    table.SetCell(kAtmosphere, row, FormatFixed(PressureToKPa(r.atmosphere), 1));
    const double m = r.m;
    table.SetCell(kM, row, FormatFixed(m, 1));
    table.SetCell(kA, row, FormatFixed(1.0 / m, 4));
    if (RoundToStep(r.h, kHStep) != 0) table.SetCell(kH, row, FormatFixed(r.h, 1));
    table.SetCell(
        kGrade, row,
        r.grade != 0 ? QStringLiteral("W") + QString::number(r.grade) : QStringLiteral(" - "));
    table.SetCell(kCurveLength, row, QString::number(r.curveLength));
    table.SetCell(kSampleRate, row, QString::number(r.sampleRate));
    table.SetCell(kSlot, row, QString::number(slot));
}

unsigned EnterRecords(ArchiveTable& table, CurveStore& curves, unsigned count,
                      const std::uint8_t* records, const std::uint8_t* curveArea,
                      const NameTable& objects, const NameTable& materials, Language language,
                      const std::vector<int>& heldSlots, const std::vector<bool>& withoutCurve) {
    if (count > 0) UseHoursMinutesTimeFormat();

    auto decode = [records, &withoutCurve](unsigned i) {
        ArchiveRecord r =
            ArchiveRecord::Decode(records + static_cast<std::size_t>(i) * protocol::kRecordSize);
        if (i < withoutCurve.size() && withoutCurve[i]) r.curveLength = 0;
        return r;
    };
    // A curve is kept in the words its record names: samples, end marker and checksum.
    auto curveWords = [](const ArchiveRecord& r) {
        return std::min<std::size_t>(r.curveLength, CurveStore::kMaxCurveWords);
    };
    auto enter = [&](unsigned i, const ArchiveRecord& r, int row, int slot) {
        EnterRecord(table, row, slot, r, objects, materials, language);
        if (r.curveLength > 0) curves.StoreBlock(slot, CurveSlot(curveArea, i), curveWords(r));
    };

    if (table.IsEmpty()) {
        if (count == 0) {
            table.SetGridRowCount(table.GridRowCount() + 1);
            return 0;
        }
        // A fresh load: the rows and curves of before are gone, but for curves still held.
        if (heldSlots.empty()) {
            curves.Clear();
            table.SetGridRowCount(static_cast<int>(count) + 1);
            for (unsigned i = 0; i < count; ++i)
                enter(i, decode(i), static_cast<int>(i) + 1, static_cast<int>(i));
            return 0;
        }
        curves.KeepOnly({heldSlots.begin(), heldSlots.end()});
        SlotNumbers numbers(static_cast<int>(count + heldSlots.size()));
        for (int slot : heldSlots) numbers.Take(slot);
        table.SetGridRowCount(static_cast<int>(count) + 1);
        for (unsigned i = 0; i < count; ++i)
            enter(i, decode(i), static_cast<int>(i) + 1, numbers.TakeLowestFree());
        return 0;
    }

    // Rows whose date or time does not parse cannot be duplicates of anything.
    std::unordered_set<qint64> taken;
    // New rows take the lowest slot numbers that no row names; there are enough numbers below
    // the final row count for every row.
    SlotNumbers numbers(table.GridRowCount() + static_cast<int>(count + heldSlots.size()));
    for (int slot : heldSlots) numbers.Take(slot);
    for (int row = 1; row < table.GridRowCount(); ++row) {
        if (const auto key = RowMinuteKey(table, row)) taken.insert(*key);
        if (const auto slot = table.SlotOf(row)) numbers.Take(*slot);
    }

    unsigned leftOut = 0;
    for (unsigned i = 0; i < count; ++i) {
        const ArchiveRecord r = decode(i);
        const auto key = MinuteKey(RecordDate(r), RecordTime(r));
        if (key && taken.count(*key)) continue;
        if (leftOut > 0 || !curves.CanHold(curveWords(r))) {
            ++leftOut;
            continue;
        }
        const int slot = numbers.TakeLowestFree();
        table.SetGridRowCount(table.GridRowCount() + 1);
        enter(i, r, table.GridRowCount() - 1, slot);
        if (key) taken.insert(*key);
    }
    return leftOut;
}

}  // namespace porvel
