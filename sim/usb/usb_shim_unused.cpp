// The libusb-0.1 entries the program resolves but never calls. Each either fails the way the
// library does for a request the instrument cannot serve, or does something harmless.
#include <cstring>

#include "shim_state.h"
#include "usb_extra_entries.h"

#define PORVEL_EXPORT extern "C" __attribute__((visibility("default")))

using porvel::sim::Failure;
using porvel::sim::ShimState;
using porvel::sim::State;
namespace sim = porvel::sim;

namespace {

using Lock = std::lock_guard<std::mutex>;

// The library's own version numbers; no kernel driver stands behind it.
constexpr usb_version kVersion = {{0, 1, 12, 2}, {-1, -1, -1, -1}};

int Unsupported(const char* what) {
    ShimState& state = State();
    Lock lock(state.mutex);
    return Failure(state, sim::kErrNotSupported, std::string(what) + " is not supported");
}

// Runs `action` on a live handle of the current bus; fails like the library otherwise.
template <typename Action>
int OnHandle(usb_dev_handle* dev, Action action) {
    ShimState& state = State();
    Lock lock(state.mutex);
    usb_dev_handle* handle = sim::FindHandle(state, dev);
    if (!handle) return Failure(state, sim::kErrInvalid, "invalid device handle");
    if (!sim::HandleAlive(state, *handle))
        return Failure(state, sim::kErrNoDevice, "No such device");
    return action(state, *handle);
}

}  // namespace

PORVEL_EXPORT char* usb_strerror(void) {
    static thread_local char text[256];
    ShimState& state = State();
    Lock lock(state.mutex);
    std::strncpy(text, state.lastError.c_str(), sizeof text - 1);
    return text;
}

PORVEL_EXPORT void usb_set_debug(int) {}

PORVEL_EXPORT const struct usb_version* usb_get_version(void) {
    return &kVersion;
}

PORVEL_EXPORT struct usb_device* usb_device(usb_dev_handle* dev) {
    ShimState& state = State();
    Lock lock(state.mutex);
    usb_dev_handle* handle = sim::FindHandle(state, dev);
    return handle ? handle->device : nullptr;
}

PORVEL_EXPORT int usb_release_interface(usb_dev_handle* dev, int interface) {
    return OnHandle(dev, [interface](ShimState& state, usb_dev_handle& handle) {
        if (!handle.claimed || interface != porvel::protocol::kInterface)
            return Failure(state, sim::kErrInvalid, "interface not claimed");
        handle.claimed = false;
        return 0;
    });
}

PORVEL_EXPORT int usb_set_altinterface(usb_dev_handle* dev, int alternate) {
    return OnHandle(dev, [alternate](ShimState& state, usb_dev_handle&) {
        return alternate == 0 ? 0 : Failure(state, sim::kErrInvalid, "no such alternate setting");
    });
}

PORVEL_EXPORT int usb_clear_halt(usb_dev_handle* dev, unsigned int) {
    return OnHandle(dev, [](ShimState&, usb_dev_handle&) { return 0; });
}

PORVEL_EXPORT int usb_resetep(usb_dev_handle* dev, unsigned int) {
    return OnHandle(dev, [](ShimState&, usb_dev_handle&) { return 0; });
}

PORVEL_EXPORT int usb_reset(usb_dev_handle* dev) {
    return OnHandle(dev, [](ShimState&, usb_dev_handle&) { return 0; });
}

PORVEL_EXPORT int usb_control_msg(usb_dev_handle* dev, int, int, int, int, char*, int, int) {
    // The instrument stalls every control request beyond enumeration.
    return OnHandle(dev, [](ShimState& state, usb_dev_handle&) {
        return Failure(state, sim::kErrStall, "control request stalled");
    });
}

PORVEL_EXPORT int usb_get_string(usb_dev_handle* dev, int, int, char*, size_t) {
    return OnHandle(dev, [](ShimState& state, usb_dev_handle&) {
        return Failure(state, sim::kErrStall, "string request stalled");
    });
}

PORVEL_EXPORT int usb_get_string_simple(usb_dev_handle* dev, int, char*, size_t) {
    return OnHandle(dev, [](ShimState& state, usb_dev_handle&) {
        return Failure(state, sim::kErrStall, "string request stalled");
    });
}

PORVEL_EXPORT int usb_get_descriptor(usb_dev_handle* dev, unsigned char, unsigned char, void*,
                                     int) {
    return OnHandle(dev, [](ShimState& state, usb_dev_handle&) {
        return Failure(state, sim::kErrStall, "descriptor request stalled");
    });
}

PORVEL_EXPORT int usb_get_descriptor_by_endpoint(usb_dev_handle* dev, int, unsigned char,
                                                 unsigned char, void*, int) {
    return OnHandle(dev, [](ShimState& state, usb_dev_handle&) {
        return Failure(state, sim::kErrStall, "descriptor request stalled");
    });
}

PORVEL_EXPORT int usb_interrupt_write(usb_dev_handle* dev, int, const char*, int, int) {
    return OnHandle(dev, [](ShimState& state, usb_dev_handle&) {
        return Failure(state, sim::kErrInvalid, "the device has no interrupt endpoint");
    });
}

PORVEL_EXPORT int usb_interrupt_read(usb_dev_handle* dev, int, char*, int, int) {
    return OnHandle(dev, [](ShimState& state, usb_dev_handle&) {
        return Failure(state, sim::kErrInvalid, "the device has no interrupt endpoint");
    });
}

PORVEL_EXPORT int usb_get_driver_np(usb_dev_handle* dev, int, char*, unsigned int) {
    return OnHandle(dev, [](ShimState& state, usb_dev_handle&) {
        return Failure(state, -ENODATA, "no kernel driver is bound");
    });
}

PORVEL_EXPORT int usb_detach_kernel_driver_np(usb_dev_handle* dev, int) {
    return OnHandle(dev, [](ShimState& state, usb_dev_handle&) {
        return Failure(state, -ENODATA, "no kernel driver is bound");
    });
}

// Asynchronous transfers.
PORVEL_EXPORT int usb_bulk_setup_async(usb_dev_handle*, void** context, unsigned char) {
    if (context) *context = nullptr;
    return Unsupported("asynchronous transfer");
}
PORVEL_EXPORT int usb_interrupt_setup_async(usb_dev_handle*, void** context, unsigned char) {
    if (context) *context = nullptr;
    return Unsupported("asynchronous transfer");
}
PORVEL_EXPORT int usb_isochronous_setup_async(usb_dev_handle*, void** context, unsigned char, int) {
    if (context) *context = nullptr;
    return Unsupported("asynchronous transfer");
}
PORVEL_EXPORT int usb_submit_async(void*, char*, int) {
    return Unsupported("asynchronous transfer");
}
PORVEL_EXPORT int usb_reap_async(void*, int) {
    return Unsupported("asynchronous transfer");
}
PORVEL_EXPORT int usb_reap_async_nocancel(void*, int) {
    return Unsupported("asynchronous transfer");
}
PORVEL_EXPORT int usb_cancel_async(void*) {
    return Unsupported("asynchronous transfer");
}
PORVEL_EXPORT int usb_free_async(void** context) {
    if (context) *context = nullptr;
    return Unsupported("asynchronous transfer");
}

// Driver and service installation: nothing to install here.
PORVEL_EXPORT int usb_install_service_np(void) {
    return Unsupported("service installation");
}
PORVEL_EXPORT int usb_uninstall_service_np(void) {
    return Unsupported("service installation");
}
PORVEL_EXPORT int usb_install_driver_np(const char*) {
    return Unsupported("driver installation");
}
PORVEL_EXPORT int usb_touch_inf_file_np(const char*) {
    return Unsupported("driver installation");
}
PORVEL_EXPORT int usb_install_needs_restart_np(void) {
    return 0;
}
PORVEL_EXPORT void usb_install_service_np_rundll(void*, void*, char*, int) {}
PORVEL_EXPORT void usb_uninstall_service_np_rundll(void*, void*, char*, int) {}
PORVEL_EXPORT void usb_install_driver_np_rundll(void*, void*, char*, int) {}
PORVEL_EXPORT void usb_touch_inf_file_np_rundll(void*, void*, char*, int) {}
