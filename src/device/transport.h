// What an exchange needs from the outside world: a byte pipe to the instrument and a clock.
// Tests pass fakes of both, so that nothing waits and every transfer can be scripted.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

namespace porvel {

class Transport {
public:
    virtual ~Transport() = default;
    // Both return the byte count moved, negative on failure; a short count is not a failure.
    virtual int Write(const std::uint8_t* bytes, int count) = 0;
    virtual int Read(std::uint8_t* destination, int count) = 0;
};

// The device side of an exchange: load the library, find and open the instrument, close it.
class DeviceLink : public Transport {
public:
    virtual int Load() = 0;         // 0 ready, 1 library missing, 2 an entry missing
    virtual int FindAndOpen() = 0;  // 0 found and open, 1 not on the bus
    virtual void Close() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual void SleepMs(int ms) = 0;
};

class SystemClock : public Clock {
public:
    void SleepMs(int ms) override {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
};

}  // namespace porvel
