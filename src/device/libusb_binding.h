// The binding to the libusb-0.1 library, loaded at run time by file name with every entry
// looked up by name, as the same code does with libusb0.dll on Windows.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "transport.h"

struct usb_bus;
struct usb_device;
struct usb_dev_handle;

namespace porvel {

// Loading a shared library by file name and looking up its entries by name.
using LibraryHandle = void*;

// The system's usual search for libraries applies to a bare file name. Null on failure.
LibraryHandle OpenLibrary(const std::string& fileName);
void* LibraryEntry(LibraryHandle library, const char* name);
void CloseLibrary(LibraryHandle library);

// The binding to the libusb-0.1 library, loaded at run time: finds the instrument on the bus,
// opens it and moves raw bytes over its two bulk endpoints.

class LibUsbBinding : public DeviceLink {
public:
    enum LoadResult { kLoaded = 0, kLibraryMissing = 1, kEntryMissing = 2 };
    enum FindResult { kFound = 0, kAbsent = 1 };

    static constexpr int kEntryCount = 43;
    // Entry names in the order they are resolved.
    static const std::array<const char*, kEntryCount> kEntryNames;

    LibUsbBinding();
    ~LibUsbBinding() override;
    LibUsbBinding(const LibUsbBinding&) = delete;
    LibUsbBinding& operator=(const LibUsbBinding&) = delete;

    // "libusb0.dll" on Windows, "libusb-0.1.so.4" elsewhere, unless PORVEL_USB_LIBRARY names
    // another file. Read at every load, so a test may point it elsewhere.
    static std::string LibraryFileName();

    int Load() override;
    int FindAndOpen() override;
    void Close() override;
    int Write(const std::uint8_t* bytes, int count) override;
    int Read(std::uint8_t* destination, int count) override;
    void Reset();

    bool LibraryLoaded() const { return library_ != nullptr; }
    usb_dev_handle* DeviceHandle() const { return device_; }

private:
    struct Entries;

    LibraryHandle library_ = nullptr;
    usb_dev_handle* device_ = nullptr;
    std::array<void*, kEntryCount> slots_{};
};

// Where the simulated instrument bundled with the program lies relative to it:
// <program dir>/../lib/porvel/libporvel-sim.so as the install leaves it, else
// <program dir>/../lib/libporvel-sim.so as the build leaves it (that path when neither is there).
QString BundledSimulatorPath();
// Points the binding at the bundled simulator (for --demo); false when it is not there.
bool UseBundledSimulator();

}  // namespace porvel
