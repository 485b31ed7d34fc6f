// A clock that only moves when someone waits on it. The exchange's pauses (porvel::Clock) and
// the simulated instrument's own waits and pace checks (sim::TimeSource) share it, so a whole
// exchange runs in virtual time: the device sees every pause kept, and nothing really sleeps.
// Not thread-safe: the exchange and the instrument it talks to run on one thread.
#pragma once

#include <chrono>

#include "device/transport.h"
#include "time_source.h"

namespace porvel::testing {

class VirtualClock : public Clock, public sim::TimeSource {
public:
    void SleepMs(int ms) override { SleepFor(std::chrono::milliseconds(ms)); }

    sim::TimePoint Now() override { return sim::TimePoint{} + elapsed_; }
    void SleepFor(sim::Micros duration) override {
        if (duration > sim::Micros::zero()) elapsed_ += duration;
    }

    // Virtual time since the clock was made.
    sim::Micros Elapsed() const { return elapsed_; }

private:
    sim::Micros elapsed_{0};
};

}  // namespace porvel::testing
