// A scenario: what the simulated instrument holds, which devices share its bus and which faults
// it shows, read from a small line-based text (see README.md in this folder).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device_memory.h"
#include "faults.h"

namespace porvel::sim {

struct OtherDevice {
    int bus = 1;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};

struct Scenario {
    DeviceMemory memory;
    Faults faults;
    int instruments = 1;                    // matching devices on the bus, all answering alike
    std::vector<OtherDevice> otherDevices;  // in bus order, all before the instruments
};

// The device as a scenario text starts from: factory lists, no records, a blank display.
Scenario FactoryScenario();
// The built-in demo instrument and nothing else on the bus.
Scenario DemoScenario();

// False with "line N: reason" in `error`; `scenario` is only written on success.
bool ParseScenario(const std::string& text, Scenario* scenario, std::string* error);

}  // namespace porvel::sim
