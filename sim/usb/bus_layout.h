// The USB buses as a scenario lays them out: the other devices in the order given, then the
// instruments, on the highest bus in use. Counts the changes a host's searches see, the way
// libusb-0.1 does: a device that left and came back counts as gone and as new.
#pragma once

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "scenario.h"

namespace porvel::sim {

struct BusDevice {
    int bus = 1;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    bool instrument = false;
};

class BusLayout {
public:
    explicit BusLayout(const Scenario& scenario);

    // Every device that can be on the buses, in bus order (buses ascending).
    const std::vector<BusDevice>& Devices() const { return devices_; }
    // The bus numbers, ascending.
    const std::vector<int>& Buses() const { return buses_; }

    // The change count of one usb_find_busses: all buses the first time, then 0.
    int FindBusses();
    // The change count of one usb_find_devices, given whether the instrument is on the bus and
    // which attachment of it (a new one after every unplug).
    int FindDevices(bool instrumentOnBus, unsigned attachment);
    // Whether device i was in the lists after the last FindDevices.
    bool Shown(std::size_t i) const;

private:
    using Key = std::pair<std::size_t, unsigned>;  // device index, attachment

    std::vector<BusDevice> devices_;
    std::vector<int> buses_;
    bool bussesReported_ = false;
    std::set<Key> shown_;
};

}  // namespace porvel::sim
