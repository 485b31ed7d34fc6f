// One measurement of the archive: the texts of its row, each kept as it was entered or as the
// file held it, and the values those texts say, read once whenever a text is set. Every consumer
// (sort, find, summary, chart, printouts, exports, porvel-cli) takes the values from here; none
// reads a table text again.
#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringView>
#include <QTime>
#include <array>
#include <optional>

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
    // What the file keeps beside the shown cells: the curve's length in words (end marker and
    // checksum included), its sample rate and the store slot that holds it.
    kCurveLength = 10,
    kSampleRate = 11,
    kSlot = 12,
};
}  // namespace column

// A row's cells as the file holds them: the ten shown ones and the three of its curve.
inline constexpr int kRowCells = 13;
inline constexpr int kShownCells = 10;
using RowTexts = std::array<QString, kRowCells>;

// The one reader of table texts. Either decimal separator makes a number and either desktop's
// date form a date, since archives travel between Russian and English desktops. The forms the
// program itself writes are read by hand, many times faster than the locale's parser over ten
// thousand rows; any other form goes to the desktop's locale.
class TableTextReader {
public:
    TableTextReader();  // takes the desktop's date order now

    std::optional<double> Number(QStringView text) const;
    static std::optional<int> WholeNumber(QStringView text);
    QDate Date(QStringView text) const;
    static QTime Time(QStringView text);

private:
    bool slashedDayFirst_ = false;  // "dd/MM/yyyy" rather than the English "M/d/yyyy"
    // Dates in other forms go through the locale's slow parser, each distinct text once: an
    // archive holds a few measurements a day. The reader belongs to one table on one thread.
    mutable QHash<QString, QDate> otherDates_;
};

struct Measurement {
    std::optional<int> number;
    QDate date;  // invalid when its text is no date
    QTime time;  // to the minute; invalid when its text is no time
    std::optional<double> atmosphere;
    std::optional<double> m;
    std::optional<double> a;
    std::optional<double> h;   // absent when the instrument gave none
    std::optional<int> grade;  // the number after "W"; absent for " - "
    std::optional<int> curveLength;
    std::optional<double> sampleRate;
    std::optional<int> slot;
    bool blank = true;  // the number cell is empty: a row that holds no measurement

    // The curve's samples: its length less the end marker and the checksum.
    std::optional<int> SampleCount() const {
        if (!curveLength) return std::nullopt;
        return *curveLength - 2;
    }
};

Measurement ReadMeasurement(const RowTexts& texts, const TableTextReader& reader);

// Cells that hold only blanks (the sort's fillers) or nothing.
bool IsBlankText(QStringView text);

}  // namespace porvel
