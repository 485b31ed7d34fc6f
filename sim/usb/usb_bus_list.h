// The libusb-0.1 structures the host walks: a linked list of usb_bus, each with its linked list
// of usb_device carrying descriptors, built from a BusLayout. Structures handed out once stay
// allocated while the library is loaded, so a pointer the host kept never dangles.
#pragma once

#include <usb.h>

#include <deque>
#include <memory>
#include <vector>

#include "bus_layout.h"

namespace porvel::sim {

class UsbBusList {
public:
    // Starts afresh for a new layout: no buses until the first Refresh.
    void Reset();
    // Relinks the lists to what `layout` shows now; `attachment` numbers the instrument's
    // devices anew after each unplug.
    void Refresh(const BusLayout& layout, unsigned attachment);

    usb_bus* Head() { return head_; }
    // The layout index of a device of the current lists; false for anything else.
    bool IndexOf(const struct usb_device* device, std::size_t* index) const;

private:
    struct CurrentDevice {
        struct usb_device* device;
        std::size_t index;
    };

    struct usb_device* NewDevice(const BusDevice& device, usb_bus* bus, int number);

    std::deque<std::unique_ptr<usb_bus>> buses_;
    std::deque<std::unique_ptr<struct usb_device>> devices_;
    std::vector<CurrentDevice> current_;
    usb_bus* head_ = nullptr;
};

}  // namespace porvel::sim
