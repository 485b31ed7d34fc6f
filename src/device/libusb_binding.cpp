#include "libusb_binding.h"

#include <usb.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdlib>

#include "wire/protocol.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace porvel {

#ifdef _WIN32

LibraryHandle OpenLibrary(const std::string& fileName) {
    return reinterpret_cast<LibraryHandle>(LoadLibraryA(fileName.c_str()));
}

void* LibraryEntry(LibraryHandle library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(LibraryHandle library) {
    FreeLibrary(static_cast<HMODULE>(library));
}

#else

LibraryHandle OpenLibrary(const std::string& fileName) {
    // Local binding: the simulated instrument and the system library may both be loaded.
    return dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* LibraryEntry(LibraryHandle library, const char* name) {
    return dlsym(library, name);
}

void CloseLibrary(LibraryHandle library) {
    dlclose(library);
}

#endif

using namespace protocol;

const std::array<const char*, LibUsbBinding::kEntryCount> LibUsbBinding::kEntryNames = {
    "usb_bulk_read",
    "usb_bulk_setup_async",
    "usb_bulk_write",
    "usb_cancel_async",
    "usb_claim_interface",
    "usb_clear_halt",
    "usb_close",
    "usb_control_msg",
    "usb_device",
    "usb_find_busses",
    "usb_find_devices",
    "usb_free_async",
    "usb_get_busses",
    "usb_get_descriptor",
    "usb_get_descriptor_by_endpoint",
    "usb_get_string",
    "usb_get_string_simple",
    "usb_get_version",
    "usb_init",
    "usb_install_driver_np",
    "usb_install_driver_np_rundll",
    "usb_install_needs_restart_np",
    "usb_install_service_np",
    "usb_install_service_np_rundll",
    "usb_interrupt_read",
    "usb_interrupt_setup_async",
    "usb_interrupt_write",
    "usb_isochronous_setup_async",
    "usb_open",
    "usb_reap_async",
    "usb_reap_async_nocancel",
    "usb_release_interface",
    "usb_reset",
    "usb_resetep",
    "usb_set_altinterface",
    "usb_set_configuration",
    "usb_set_debug",
    "usb_strerror",
    "usb_submit_async",
    "usb_touch_inf_file_np",
    "usb_touch_inf_file_np_rundll",
    "usb_uninstall_service_np",
    "usb_uninstall_service_np_rundll",
};

namespace {

// What a transfer without an open device returns, as libusb would for a vanished device.
constexpr int kNoDevice = -19;  // -ENODEV

constexpr const char* kLibraryVariable = "PORVEL_USB_LIBRARY";
#ifdef _WIN32
constexpr const char* kSimulatorFiles[] = {"../lib/porvel/porvel-sim.dll", "../lib/porvel-sim.dll"};
#else
constexpr const char* kSimulatorFiles[] = {"../lib/porvel/libporvel-sim.so",
                                           "../lib/libporvel-sim.so"};
#endif
#ifdef _WIN32
constexpr const char* kDefaultLibrary = "libusb0.dll";
constexpr bool kResolveEveryEntry = true;
#else
constexpr const char* kDefaultLibrary = "libusb-0.1.so.4";
// Only the Windows build of the library has the driver, service and asynchronous entries.
constexpr bool kResolveEveryEntry = false;
#endif

// Positions in kEntryNames of the ten entries that are called.
enum Called {
    kBulkRead = 0,
    kBulkWrite = 2,
    kClaimInterface = 4,
    kClose = 6,
    kFindBusses = 9,
    kFindDevices = 10,
    kGetBusses = 12,
    kInit = 18,
    kOpen = 28,
    kSetConfiguration = 35,
};
constexpr std::array<int, 10> kCalledEntries = {
    kBulkRead,    kBulkWrite, kClaimInterface, kClose, kFindBusses,
    kFindDevices, kGetBusses, kInit,           kOpen,  kSetConfiguration};

bool IsCalled(int slot) {
    for (int called : kCalledEntries)
        if (called == slot) return true;
    return false;
}

using InitFn = void (*)();
using CountFn = int (*)();
using GetBussesFn = usb_bus* (*)();
using OpenFn = usb_dev_handle* (*)(struct usb_device*);
using CloseFn = int (*)(usb_dev_handle*);
using SetIntFn = int (*)(usb_dev_handle*, int);
using BulkWriteFn = int (*)(usb_dev_handle*, int, const char*, int, int);
using BulkReadFn = int (*)(usb_dev_handle*, int, char*, int, int);

template <typename Fn>
Fn As(void* entry) {
    return reinterpret_cast<Fn>(entry);
}

}  // namespace

LibUsbBinding::LibUsbBinding() = default;

LibUsbBinding::~LibUsbBinding() {
    Close();
}

QString BundledSimulatorPath() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    QString path;
    for (const char* file : kSimulatorFiles) {
        path = QDir::cleanPath(programDir.absoluteFilePath(QString::fromLatin1(file)));
        if (QFileInfo::exists(path)) break;
    }
    return path;
}

bool UseBundledSimulator() {
    const QString path = BundledSimulatorPath();
    if (!QFileInfo::exists(path)) return false;
    qputenv(kLibraryVariable, QFile::encodeName(path));
    return true;
}

std::string LibUsbBinding::LibraryFileName() {
    const char* named = std::getenv(kLibraryVariable);
    return (named && *named) ? std::string(named) : std::string(kDefaultLibrary);
}

int LibUsbBinding::Load() {
    if (library_) return kLoaded;
    library_ = OpenLibrary(LibraryFileName());
    if (!library_) return kLibraryMissing;
    for (int slot = 0; slot < kEntryCount; ++slot) {
        if (!kResolveEveryEntry && !IsCalled(slot)) continue;
        slots_[static_cast<std::size_t>(slot)] = LibraryEntry(library_, kEntryNames[slot]);
        if (!slots_[static_cast<std::size_t>(slot)]) {
            // The library stays mapped; the next load maps it again and resolves afresh.
            library_ = nullptr;
            return kEntryMissing;
        }
    }
    As<InitFn>(slots_[kInit])();
    return kLoaded;
}

int LibUsbBinding::FindAndOpen() {
    if (!library_) return kAbsent;  // nothing to search with before a successful load
    const int busChanges = As<CountFn>(slots_[kFindBusses])();
    const int deviceChanges = As<CountFn>(slots_[kFindDevices])();

    struct usb_device* instrument = nullptr;
    for (usb_bus* bus = As<GetBussesFn>(slots_[kGetBusses])(); bus && !instrument;
         bus = bus->next) {
        for (struct usb_device* dev = bus->devices; dev; dev = dev->next) {
            if (dev->descriptor.idVendor == kVendorId && dev->descriptor.idProduct == kProductId) {
                instrument = dev;
                break;
            }
        }
    }
    if (!instrument) {
        Close();  // a handle left from an exchange that did not reach its end
        return kAbsent;
    }
    if (busChanges == 0 && deviceChanges == 0 && device_) return kFound;

    Close();  // replaced, not leaked
    device_ = As<OpenFn>(slots_[kOpen])(instrument);
    // No handle (the device went away, or may not be opened): as if it were not on the bus.
    if (!device_) return kAbsent;
    As<SetIntFn>(slots_[kSetConfiguration])(device_, kConfiguration);
    As<SetIntFn>(slots_[kClaimInterface])(device_, kInterface);
    return kFound;
}

void LibUsbBinding::Close() {
    if (!device_) return;
    As<CloseFn>(slots_[kClose])(device_);
    device_ = nullptr;
}

int LibUsbBinding::Write(const std::uint8_t* bytes, int count) {
    if (!device_) return kNoDevice;
    return As<BulkWriteFn>(slots_[kBulkWrite])(
        device_, kEndpointOut, reinterpret_cast<const char*>(bytes), count, kTransferTimeoutMs);
}

int LibUsbBinding::Read(std::uint8_t* destination, int count) {
    if (!device_) return kNoDevice;
    return As<BulkReadFn>(slots_[kBulkRead])(
        device_, kEndpointIn, reinterpret_cast<char*>(destination), count, kTransferTimeoutMs);
}

void LibUsbBinding::Reset() {
    Close();
    slots_.fill(nullptr);
    if (library_) {
        CloseLibrary(library_);
        library_ = nullptr;
    }
}

}  // namespace porvel
