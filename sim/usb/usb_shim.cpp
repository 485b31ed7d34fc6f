// The libusb-0.1 entries the program calls, working over the simulated instrument: bus and
// device search, open and close, configuration, interface claim and the two bulk transfers.
#include <usb.h>

#include <cstdio>

#include "shim_state.h"

#define PORVEL_EXPORT extern "C" __attribute__((visibility("default")))

using porvel::sim::Failure;
using porvel::sim::ShimState;
using porvel::sim::State;
namespace protocol = porvel::protocol;
namespace sim = porvel::sim;

// libusb-0.1 keeps the bus list in this global as well (usb.h declares it outside extern "C").
__attribute__((visibility("default"))) struct usb_bus* usb_busses = nullptr;

namespace {

using Lock = std::lock_guard<std::mutex>;

// The checks every transfer passes before it reaches the instrument; 0 when it may go on.
int CheckTransfer(ShimState& state, usb_dev_handle* dev, int ep, int wantedEp, const void* bytes,
                  int size) {
    usb_dev_handle* handle = sim::FindHandle(state, dev);
    if (!handle) return Failure(state, sim::kErrInvalid, "invalid device handle");
    char text[64];
    if (ep != wantedEp) {
        std::snprintf(text, sizeof text, "endpoint 0x%02X is not 0x%02X", ep & 0xFF, wantedEp);
        return Failure(state, sim::kErrInvalid, text);
    }
    if (size < 0 || (size > 0 && !bytes)) return Failure(state, sim::kErrInvalid, "invalid buffer");
    if (!sim::HandleAlive(state, *handle))
        return Failure(state, sim::kErrNoDevice, "No such device");
    if (!handle->instrument)
        return Failure(state, sim::kErrStall, "the device has no such endpoint");
    if (!handle->configured || !handle->claimed) {
        state.instrument->HostViolation(
            "bulk transfer before configuration 1 was set and "
            "interface 0 claimed");
        return Failure(state, sim::kErrNotClaimed, "interface not claimed");
    }
    return 0;
}

// The handle of a device still on the bus, or null with the failure already recorded in `error`.
usb_dev_handle* LiveHandle(ShimState& state, usb_dev_handle* dev, int* error) {
    usb_dev_handle* handle = sim::FindHandle(state, dev);
    if (!handle) {
        *error = Failure(state, sim::kErrInvalid, "invalid device handle");
        return nullptr;
    }
    if (!sim::HandleAlive(state, *handle)) {
        *error = Failure(state, sim::kErrNoDevice, "No such device");
        return nullptr;
    }
    return handle;
}

int TransferResult(ShimState& state, int result) {
    if (result >= 0) return result;
    if (result == sim::kErrTimeout) return Failure(state, result, "Connection timed out");
    if (result == sim::kErrNoDevice) return Failure(state, result, "No such device");
    return Failure(state, result, "Input/output error");
}

}  // namespace

PORVEL_EXPORT void usb_init(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    ++state.initCalls;
    if (!state.loaded) sim::InstallFromEnvironment(state);
}

PORVEL_EXPORT int usb_find_busses(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    if (!state.layout) return 0;
    const int changes = state.layout->FindBusses();
    if (changes) state.buses.Refresh(*state.layout, state.instrument->Attachment());
    usb_busses = state.buses.Head();
    return changes;
}

PORVEL_EXPORT int usb_find_devices(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    if (!state.layout || !state.buses.Head()) return 0;
    const bool present = state.instrument->Search();
    const int changes = state.layout->FindDevices(present, state.instrument->Attachment());
    if (changes) state.buses.Refresh(*state.layout, state.instrument->Attachment());
    usb_busses = state.buses.Head();
    return changes;
}

PORVEL_EXPORT struct usb_bus* usb_get_busses(void) {
    ShimState& state = State();
    Lock lock(state.mutex);
    return state.buses.Head();
}

PORVEL_EXPORT usb_dev_handle* usb_open(struct usb_device* dev) {
    ShimState& state = State();
    Lock lock(state.mutex);
    ++state.openCalls;
    state.lastOpenIndex = -1;
    std::size_t index = 0;
    if (!state.layout || !state.buses.IndexOf(dev, &index)) {
        Failure(state, 0, "not a device of the current bus list");
        return nullptr;
    }
    auto* handle = new usb_dev_handle{dev, index, state.scenario, state.instrument->Attachment(),
                                      state.layout->Devices()[index].instrument};
    state.handles.insert(handle);
    state.lastOpenIndex = static_cast<int>(index);
    state.instrument->HostEvent("device opened");
    return handle;
}

PORVEL_EXPORT int usb_close(usb_dev_handle* dev) {
    ShimState& state = State();
    Lock lock(state.mutex);
    if (!sim::FindHandle(state, dev))
        return Failure(state, sim::kErrInvalid, "invalid device handle");
    state.handles.erase(dev);
    delete dev;
    if (state.instrument) state.instrument->HostEvent("device closed");
    return 0;
}

PORVEL_EXPORT int usb_set_configuration(usb_dev_handle* dev, int configuration) {
    ShimState& state = State();
    Lock lock(state.mutex);
    int error = 0;
    usb_dev_handle* handle = LiveHandle(state, dev, &error);
    if (!handle) return error;
    if (configuration != protocol::kConfiguration)
        return Failure(state, sim::kErrInvalid, "no such configuration");
    handle->configured = true;
    return 0;
}

PORVEL_EXPORT int usb_claim_interface(usb_dev_handle* dev, int interface) {
    ShimState& state = State();
    Lock lock(state.mutex);
    int error = 0;
    usb_dev_handle* handle = LiveHandle(state, dev, &error);
    if (!handle) return error;
    if (interface != protocol::kInterface)
        return Failure(state, sim::kErrInvalid, "no such interface");
    handle->claimed = true;
    return 0;
}

PORVEL_EXPORT int usb_bulk_write(usb_dev_handle* dev, int ep, const char* bytes, int size,
                                 int timeout) {
    ShimState& state = State();
    Lock lock(state.mutex);
    if (const int problem = CheckTransfer(state, dev, ep, protocol::kEndpointOut, bytes, size))
        return problem;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes);
    return TransferResult(state,
                          state.instrument->Write(data, static_cast<std::size_t>(size), timeout));
}

PORVEL_EXPORT int usb_bulk_read(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout) {
    ShimState& state = State();
    Lock lock(state.mutex);
    if (const int problem = CheckTransfer(state, dev, ep, protocol::kEndpointIn, bytes, size))
        return problem;
    auto* data = reinterpret_cast<std::uint8_t*>(bytes);
    return TransferResult(state,
                          state.instrument->Read(data, static_cast<std::size_t>(size), timeout));
}
