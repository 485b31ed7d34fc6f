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

TimePoint SwitchableTime::Now() {
    std::lock_guard<std::mutex> lock(mutex_);
    return virtual_ ? virtualNow_ : RealTime().Now();
}

void SwitchableTime::SleepFor(Micros duration) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (virtual_) {
            if (duration > Micros::zero()) virtualNow_ += duration;
            return;
        }
    }
    RealTime().SleepFor(duration);
}

void SwitchableTime::UseVirtual(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (on && !virtual_) virtualNow_ = RealTime().Now();
    virtual_ = on;
}

void SwitchableTime::Advance(Micros duration) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (virtual_ && duration > Micros::zero()) virtualNow_ += duration;
}

void SleepUntil(TimeSource& time, TimePoint when) {
    const TimePoint now = time.Now();
    if (when > now) time.SleepFor(std::chrono::ceil<Micros>(when - now));
}

}  // namespace porvel::sim
