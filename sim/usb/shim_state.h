// The one simulated instrument behind the exported C interface, with its bus, the open device
// handles and the counters the control interface reports. Every exported entry takes the lock
// for its whole run, so a transfer that waits keeps other callers waiting, as a USB pipe would.
#pragma once

#include <usb.h>

#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "bus_layout.h"
#include "instrument.h"
#include "scenario.h"
#include "usb_bus_list.h"

// The handle usb_open gives out (the header leaves the structure to the library).
struct usb_dev_handle {
    struct usb_device* device;
    std::size_t index;    // in bus order among all devices of the layout
    unsigned scenario;    // the load it belongs to
    unsigned attachment;  // of the instrument, when the handle was opened
    bool instrument;
    bool configured = false;
    bool claimed = false;
};

namespace porvel::sim {

struct ShimState {
    std::mutex mutex;

    bool loaded = false;  // a scenario is installed (by the control API or the first usb_init)
    unsigned scenario = 0;
    std::unique_ptr<Instrument> instrument;
    std::unique_ptr<BusLayout> layout;
    UsbBusList buses;
    std::set<usb_dev_handle*> handles;

    int initCalls = 0;
    int openCalls = 0;
    int lastOpenIndex = -1;

    std::string lastError = "no error";  // usb_strerror
    std::string loadError;               // porvel_sim_last_error
    std::string logCopy;                 // what porvel_sim_log returned last
    SwitchableTime time;                 // the instrument's clock
};

ShimState& State();

// Puts a scenario on the bus: a new instrument, a new layout whose first searches report
// everything as new; handles of the previous load die. The log goes to PORVEL_SIM_LOG if set.
void Install(ShimState& state, const Scenario& scenario);
// Parses and installs; on failure nothing changes and `loadError` says why.
bool InstallText(ShimState& state, const std::string& text);
// The first usb_init: the file named by PORVEL_SIM_SCENARIO, or the demo. A file that cannot be
// read or parsed leaves an empty bus and says so on stderr and in the log file.
void InstallFromEnvironment(ShimState& state);
// Forgets everything, as if the library had just been loaded.
void ResetState(ShimState& state);

// A handle that usb_open gave out and that was not closed since; null for anything else.
usb_dev_handle* FindHandle(ShimState& state, usb_dev_handle* handle);
// The handle's device is still the one on the bus (same load, same attachment, present).
bool HandleAlive(const ShimState& state, const usb_dev_handle& handle);

// Sets usb_strerror's text and returns `result`.
int Failure(ShimState& state, int result, const std::string& text);

}  // namespace porvel::sim
