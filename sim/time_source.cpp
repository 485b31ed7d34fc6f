#include "time_source.h"

#include <thread>

namespace porvel::sim {
namespace {

class SteadyTimeSource : public TimeSource {
public:
    TimePoint Now() override { return SteadyClock::now(); }
    void SleepFor(Micros duration) override {
        if (duration > Micros::zero()) std::this_thread::sleep_for(duration);
    }
};

}  // namespace

TimeSource& RealTime() {
    static SteadyTimeSource steady;
    return steady;
}

void SleepUntil(TimeSource& time, TimePoint when) {
    const TimePoint now = time.Now();
    if (when > now) time.SleepFor(std::chrono::ceil<Micros>(when - now));
}

}  // namespace porvel::sim
