// Where the simulated instrument takes its time from. The device judges the host's pauses, the
// time it needs to assemble a list reply and the timeouts of failing transfers by this clock;
// the shared library runs it on the machine's steady clock, and tests may give it a clock of
// their own that only moves when they say, so that the pauses cost no real time.
#pragma once

#include <mutex>

#include "sim_constants.h"

namespace porvel::sim {

class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual TimePoint Now() = 0;
    // Returns once `duration` has passed on this clock; a duration of 0 or less returns at once.
    virtual void SleepFor(Micros duration) = 0;
};

// The machine's steady clock, shared by every instrument that is not given another one.
TimeSource& RealTime();

// The shared library's clock: the machine's steady clock, or, once a test asks for it, a
// virtual one that starts where the steady clock stood and then moves only when the host says it
// waited (Advance) or the device itself waits. Safe to use from any thread.
class SwitchableTime : public TimeSource {
public:
    TimePoint Now() override;
    void SleepFor(Micros duration) override;
    void UseVirtual(bool on);
    void Advance(Micros duration);

private:
    std::mutex mutex_;
    bool virtual_ = false;
    TimePoint virtualNow_{};
};

// Sleeps on `time` until `when`; returns at once when that has already passed.
void SleepUntil(TimeSource& time, TimePoint when);

}  // namespace porvel::sim
