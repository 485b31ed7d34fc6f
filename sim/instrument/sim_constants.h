// Numbers of the simulated instrument that the wire protocol itself does not fix: how fast the
// device prepares a reply, how much slack its pace checks allow, the error codes of its bus and
// the defaults of a measurement. Where the fields of a record lie is in record_layout.h.
#pragma once

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>

#include "wire/record_layout.h"

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

// Raw pressure counts and kPa, on the scale of the record's sensor.
constexpr double CountsFromKPa(double kPa) {
    return kPa * record::kSensorScaleCounts / record::kSensorScaleKPa;
}
constexpr double KPaFromCounts(double counts) {
    return counts * record::kSensorScaleKPa / record::kSensorScaleCounts;
}

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
