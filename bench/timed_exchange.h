// What an exchange benchmark measures its floor with: a device link that adds up the time spent
// inside the binding (the simulator's own work), and a clock that really sleeps and adds up the
// pauses the protocol asked for.
#pragma once

#include <chrono>

#include "device/transport.h"

namespace porvel::bench {

using Steady = std::chrono::steady_clock;

inline double Seconds(Steady::duration d) {
    return std::chrono::duration<double>(d).count();
}

class TimedLink : public DeviceLink {
public:
    explicit TimedLink(DeviceLink& inner) : inner_(inner) {}
    int Load() override {
        return Timed([&] { return inner_.Load(); });
    }
    int FindAndOpen() override {
        return Timed([&] { return inner_.FindAndOpen(); });
    }
    void Close() override {
        Timed([&] {
            inner_.Close();
            return 0;
        });
    }
    int Write(const std::uint8_t* b, int n) override {
        return Timed([&] { return inner_.Write(b, n); });
    }
    int Read(std::uint8_t* b, int n) override {
        return Timed([&] { return inner_.Read(b, n); });
    }

    Steady::duration inside{};

private:
    template <typename F>
    int Timed(F f) {
        const auto start = Steady::now();
        const int r = f();
        inside += Steady::now() - start;
        return r;
    }
    DeviceLink& inner_;
};

class CountingClock : public Clock {
public:
    void SleepMs(int ms) override {
        asked += std::chrono::milliseconds(ms);
        real.SleepMs(ms);
    }
    Steady::duration asked{};
    SystemClock real;
};

}  // namespace porvel::bench
