// The exchange's device link played over a simulated instrument directly, without the USB
// library: loading follows a script, finding is one search of the instrument's bus, and the
// transfers go to the device with the timeout the program's binding uses.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "device/transport.h"
#include "instrument.h"

namespace porvel::testing {

class InstrumentLink : public DeviceLink {
public:
    static constexpr int kLoaded = 0;
    static constexpr int kFound = 0;
    static constexpr int kAbsent = 1;
    static constexpr int kTimeoutMs = protocol::kTransferTimeoutMs;

    explicit InstrumentLink(sim::Instrument& device) : device_(device) {}

    // Results that the next loads give, in order; once they are used up a load succeeds.
    std::deque<int> loadResults;
    // Runs at every load, before it answers.
    std::function<void()> onLoad;
    // Runs before every bulk-OUT transfer reaches the device.
    std::function<void(const std::uint8_t* bytes, int count)> onWrite;

    int Load() override;
    // One search of the bus; the device is open afterwards when the instrument is on it.
    int FindAndOpen() override;
    void Close() override;
    // Both fail with -ENODEV unless the device was opened and has not left the bus since.
    int Write(const std::uint8_t* bytes, int count) override;
    int Read(std::uint8_t* destination, int count) override;

    int Loads() const { return loads_; }
    int Searches() const { return searches_; }
    int Closes() const { return closes_; }
    bool IsOpen() const { return open_; }
    // Every bulk-OUT transfer handed to the device, as sent.
    const std::vector<std::vector<std::uint8_t>>& Writes() const { return writes_; }

private:
    bool Alive() const;

    sim::Instrument& device_;
    bool open_ = false;
    unsigned attachment_ = 0;
    int loads_ = 0;
    int searches_ = 0;
    int closes_ = 0;
    std::vector<std::vector<std::uint8_t>> writes_;
};

}  // namespace porvel::testing
