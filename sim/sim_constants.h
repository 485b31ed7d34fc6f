// Numbers of the simulated instrument that the wire protocol itself does not fix: how fast the
// device prepares a reply, how much slack its pace checks allow, the error codes of its bus,
// the pressure scale of its sensor and the defaults of a measurement.
#pragma once

#include <cerrno>
#include <chrono>
#include <cstdint>

namespace porvel::sim {

using SteadyClock = std::chrono::steady_clock;
using TimePoint = SteadyClock::time_point;
using Micros = std::chrono::microseconds;

// A pause kept by the host may be this much shorter than nominal and still count as kept.
constexpr Micros kPaceSlack{500};
// ReadMaterials, ReadObjects and ReadScreen: the device needs this long to assemble the reply;
// a header read before then blocks until it is ready.
constexpr Micros kListPrepareTime{12000};
// A host timeout of 0 or less means "wait as long as it takes"; the device gives up here.
constexpr int kUnboundedTimeoutMs = 10000;

// Results of a bulk transfer that fails (negative errno values, as the Linux library reports).
constexpr int kErrTimeout = -ETIMEDOUT;
constexpr int kErrIo = -EIO;
constexpr int kErrNoDevice = -ENODEV;
constexpr int kErrInvalid = -EINVAL;
constexpr int kErrNotClaimed = -EPERM;
constexpr int kErrNotSupported = -ENOSYS;
constexpr int kErrStall = -EPIPE;

// The sensor: 13108 counts are 103.4 kPa, linear from 0.
constexpr double kCountsPerScale = 13108.0;
constexpr double kKPaPerScale = 103.4;
constexpr double CountsFromKPa(double kPa) {
    return kPa * kCountsPerScale / kKPaPerScale;
}
constexpr double KPaFromCounts(double counts) {
    return counts * kKPaPerScale / kCountsPerScale;
}

// Record fields the protocol leaves to the archive (offsets in the 36-byte record).
constexpr std::size_t kRecordNumberOffset = 0;
constexpr std::size_t kRecordObjectOffset = 2;
constexpr std::size_t kRecordMaterialOffset = 4;
constexpr std::size_t kRecordSecondOffset = 8;
constexpr std::size_t kRecordMinuteOffset = 9;
constexpr std::size_t kRecordHourOffset = 10;
constexpr std::size_t kRecordDayOffset = 11;
constexpr std::size_t kRecordMonthOffset = 12;
constexpr std::size_t kRecordYearOffset = 13;
constexpr std::size_t kRecordGradeOffset = 14;
constexpr std::size_t kRecordMOffset = 16;
constexpr std::size_t kRecordHOffset = 20;
constexpr std::size_t kRecordRateOffset = 26;
constexpr std::size_t kRecordAtmosphereOffset = 28;
constexpr std::size_t kRecordCrcOffset = 34;
constexpr int kRecordYearBase = 2000;

// The most samples a curve can hold: curve length n = samples + 2 must stay within 32767.
constexpr std::size_t kMaxSamples = 32765;

// Defaults of a scenario record line that does not name the field.
constexpr std::uint16_t kDefaultRate = 4;
constexpr std::uint16_t kDefaultAtmosphereCounts = 12650;  // 99.8 kPa
constexpr std::size_t kDefaultSamples = 300;
constexpr double kDefaultVacuumKPa = 35.0;
constexpr float kDefaultM = 10.0f;
constexpr float kDefaultH = 1.2f;

}  // namespace porvel::sim
