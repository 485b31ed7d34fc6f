#include "usb_bus_list.h"

#include <cstdio>
#include <cstring>

#include "wire/protocol.h"

namespace porvel::sim {
namespace {

using namespace protocol;

constexpr std::uint16_t kUsbRelease = 0x0200;
constexpr std::uint16_t kDeviceRelease = 0x0305;
constexpr std::uint8_t kControlPacketSize = 8;
constexpr std::uint16_t kBulkPacketSize = 64;
constexpr std::uint8_t kManufacturerString = 1;
constexpr std::uint8_t kProductString = 2;
// The class code of an interface that speaks a protocol of the maker's own.
constexpr std::uint8_t kOwnProtocolClass = 0xFF;
constexpr std::uint8_t kSelfPoweredAttributes = 0xC0;
constexpr std::uint8_t kMaxPowerTwoMilliamps = 50;  // 100 mA
constexpr int kFirstDeviceNumber = 2;               // 1 is the root hub
constexpr int kNumbersPerAttachment = 16;

usb_endpoint_descriptor BulkEndpoint(int address) {
    usb_endpoint_descriptor endpoint{};
    endpoint.bLength = USB_DT_ENDPOINT_SIZE;
    endpoint.bDescriptorType = USB_DT_ENDPOINT;
    endpoint.bEndpointAddress = static_cast<std::uint8_t>(address);
    endpoint.bmAttributes = USB_ENDPOINT_TYPE_BULK;
    endpoint.wMaxPacketSize = kBulkPacketSize;
    return endpoint;
}

usb_interface_descriptor Setting(std::uint8_t endpoints, usb_endpoint_descriptor* endpoint) {
    usb_interface_descriptor setting{};
    setting.bLength = USB_DT_INTERFACE_SIZE;
    setting.bDescriptorType = USB_DT_INTERFACE;
    setting.bInterfaceNumber = static_cast<std::uint8_t>(kInterface);
    setting.bNumEndpoints = endpoints;
    setting.bInterfaceClass = kOwnProtocolClass;
    setting.endpoint = endpoint;
    return setting;
}

usb_config_descriptor Configuration(usb_interface* interface, std::uint8_t endpoints) {
    usb_config_descriptor config{};
    config.bLength = USB_DT_CONFIG_SIZE;
    config.bDescriptorType = USB_DT_CONFIG;
    config.wTotalLength = static_cast<std::uint16_t>(USB_DT_CONFIG_SIZE + USB_DT_INTERFACE_SIZE +
                                                     endpoints * USB_DT_ENDPOINT_SIZE);
    config.bNumInterfaces = 1;
    config.bConfigurationValue = static_cast<std::uint8_t>(kConfiguration);
    config.bmAttributes = kSelfPoweredAttributes;
    config.MaxPower = kMaxPowerTwoMilliamps;
    config.interface = interface;
    return config;
}

// The instrument's one configuration: interface 0 with its bulk OUT and bulk IN endpoint.
usb_endpoint_descriptor kInstrumentEndpoints[] = {BulkEndpoint(kEndpointOut),
                                                  BulkEndpoint(kEndpointIn)};
usb_interface_descriptor kInstrumentSetting = Setting(2, kInstrumentEndpoints);
usb_interface kInstrumentInterface = {&kInstrumentSetting, 1};
usb_config_descriptor kInstrumentConfig = Configuration(&kInstrumentInterface, 2);

// Any other device: one configuration with an interface and no endpoint of interest.
usb_interface_descriptor kOtherSetting = Setting(0, nullptr);
usb_interface kOtherInterface = {&kOtherSetting, 1};
usb_config_descriptor kOtherConfig = Configuration(&kOtherInterface, 0);

}  // namespace

void UsbBusList::Reset() {
    // The old structures stay allocated; only the lists forget them.
    current_.clear();
    head_ = nullptr;
}

struct usb_device* UsbBusList::NewDevice(const BusDevice& device, usb_bus* bus, int number) {
    devices_.push_back(std::make_unique<struct usb_device>());
    struct usb_device* d = devices_.back().get();
    std::memset(d, 0, sizeof *d);
    std::snprintf(d->filename, sizeof d->filename, "%03d", number);
    d->bus = bus;
    d->descriptor.bLength = USB_DT_DEVICE_SIZE;
    d->descriptor.bDescriptorType = USB_DT_DEVICE;
    d->descriptor.bcdUSB = kUsbRelease;
    d->descriptor.bMaxPacketSize0 = kControlPacketSize;
    d->descriptor.idVendor = device.vendor;
    d->descriptor.idProduct = device.product;
    d->descriptor.bcdDevice = kDeviceRelease;
    d->descriptor.iManufacturer = kManufacturerString;
    d->descriptor.iProduct = kProductString;
    d->descriptor.bNumConfigurations = 1;
    d->config = device.instrument ? &kInstrumentConfig : &kOtherConfig;
    d->devnum = static_cast<std::uint8_t>(number);
    return d;
}

void UsbBusList::Refresh(const BusLayout& layout, unsigned attachment) {
    current_.clear();
    head_ = nullptr;
    usb_bus* previousBus = nullptr;
    const auto& devices = layout.Devices();
    for (int busNumber : layout.Buses()) {
        buses_.push_back(std::make_unique<usb_bus>());
        usb_bus* bus = buses_.back().get();
        std::memset(bus, 0, sizeof *bus);
        std::snprintf(bus->dirname, sizeof bus->dirname, "%03d", busNumber);
        bus->location = static_cast<std::uint32_t>(busNumber);
        bus->prev = previousBus;
        if (previousBus) previousBus->next = bus;
        if (!head_) head_ = bus;
        previousBus = bus;

        struct usb_device* previousDevice = nullptr;
        int number = kFirstDeviceNumber;
        for (std::size_t i = 0; i < devices.size(); ++i) {
            if (devices[i].bus != busNumber) continue;
            const int thisNumber = number++;
            if (!layout.Shown(i)) continue;
            const int devnum = devices[i].instrument ? thisNumber + kNumbersPerAttachment *
                                                                        static_cast<int>(attachment)
                                                     : thisNumber;
            struct usb_device* d = NewDevice(devices[i], bus, devnum);
            d->prev = previousDevice;
            if (previousDevice) previousDevice->next = d;
            if (!bus->devices) bus->devices = d;
            previousDevice = d;
            current_.push_back({d, i});
        }
    }
}

bool UsbBusList::IndexOf(const struct usb_device* device, std::size_t* index) const {
    for (const CurrentDevice& current : current_) {
        if (current.device != device) continue;
        *index = current.index;
        return true;
    }
    return false;
}

}  // namespace porvel::sim
