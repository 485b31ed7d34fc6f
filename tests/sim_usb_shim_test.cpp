// libporvel-sim.so loaded the way the program loads its USB library: by file name at run time,
// every entry looked up by name. Checks the libusb-0.1 behaviour the program relies on and the
// control interface the end-to-end tests use.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <usb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "device/libusb_binding.h"
#include "wire/byte_order.h"
#include "wire/frames.h"

namespace {

using porvel::protocol::Command;
namespace protocol = porvel::protocol;

constexpr int kTimeoutMs = 500;
constexpr int kQuickTimeoutMs = 5;

// The library and the entries the tests call, resolved once for the whole test program.
struct Sim {
    void* library = nullptr;
    void (*init)() = nullptr;
    int (*findBusses)() = nullptr;
    int (*findDevices)() = nullptr;
    usb_bus* (*getBusses)() = nullptr;
    usb_dev_handle* (*open)(struct usb_device*) = nullptr;
    int (*close)(usb_dev_handle*) = nullptr;
    int (*setConfiguration)(usb_dev_handle*, int) = nullptr;
    int (*claimInterface)(usb_dev_handle*, int) = nullptr;
    int (*bulkWrite)(usb_dev_handle*, int, const char*, int, int) = nullptr;
    int (*bulkRead)(usb_dev_handle*, int, char*, int, int) = nullptr;
    char* (*strerror)() = nullptr;
    int (*controlMsg)(usb_dev_handle*, int, int, int, int, char*, int, int) = nullptr;

    int (*loadScenario)(const char*) = nullptr;
    void (*loadDemo)() = nullptr;
    void (*reset)() = nullptr;
    const char* (*lastError)() = nullptr;
    const char* (*log)() = nullptr;
    int (*initCalls)() = nullptr;
    int (*openCalls)() = nullptr;
    int (*lastOpenDevice)() = nullptr;
    int (*violations)() = nullptr;
    int (*transfers)() = nullptr;
    int (*materialList)(unsigned char*, int) = nullptr;
    int (*objectList)(unsigned char*, int) = nullptr;
    void (*useVirtualTime)() = nullptr;
    void (*advanceMs)(int) = nullptr;

    template <typename F>
    void Resolve(F*& slot, const char* name) {
        slot = reinterpret_cast<F*>(dlsym(library, name));
        ASSERT_NE(slot, nullptr) << name;
    }
};

Sim& Library() {
    static Sim sim;
    if (sim.library) return sim;
    sim.library = dlopen(PORVEL_SIM_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(sim.library, nullptr) << dlerror();
    if (!sim.library) std::abort();
    sim.Resolve(sim.init, "usb_init");
    sim.Resolve(sim.findBusses, "usb_find_busses");
    sim.Resolve(sim.findDevices, "usb_find_devices");
    sim.Resolve(sim.getBusses, "usb_get_busses");
    sim.Resolve(sim.open, "usb_open");
    sim.Resolve(sim.close, "usb_close");
    sim.Resolve(sim.setConfiguration, "usb_set_configuration");
    sim.Resolve(sim.claimInterface, "usb_claim_interface");
    sim.Resolve(sim.bulkWrite, "usb_bulk_write");
    sim.Resolve(sim.bulkRead, "usb_bulk_read");
    sim.Resolve(sim.strerror, "usb_strerror");
    sim.Resolve(sim.controlMsg, "usb_control_msg");
    sim.Resolve(sim.loadScenario, "porvel_sim_load_scenario");
    sim.Resolve(sim.loadDemo, "porvel_sim_load_demo");
    sim.Resolve(sim.reset, "porvel_sim_reset");
    sim.Resolve(sim.lastError, "porvel_sim_last_error");
    sim.Resolve(sim.log, "porvel_sim_log");
    sim.Resolve(sim.initCalls, "porvel_sim_init_calls");
    sim.Resolve(sim.openCalls, "porvel_sim_open_calls");
    sim.Resolve(sim.lastOpenDevice, "porvel_sim_last_open_device");
    sim.Resolve(sim.violations, "porvel_sim_violations");
    sim.Resolve(sim.transfers, "porvel_sim_transfers");
    sim.Resolve(sim.materialList, "porvel_sim_material_list");
    sim.Resolve(sim.objectList, "porvel_sim_object_list");
    sim.Resolve(sim.useVirtualTime, "porvel_sim_use_virtual_time");
    sim.Resolve(sim.advanceMs, "porvel_sim_advance_ms");
    return sim;
}

// The host's pause, on the instrument's virtual clock (taken again after a reset): kept to the
// millisecond, and no real time passes.
void Pause(Sim& sim, int ms) {
    sim.useVirtualTime();
    sim.advanceMs(ms);
}

// The devices of the bus lists in walking order.
std::vector<struct usb_device*> Walk(Sim& sim) {
    std::vector<struct usb_device*> devices;
    for (usb_bus* bus = sim.getBusses(); bus; bus = bus->next)
        for (struct usb_device* d = bus->devices; d; d = d->next) devices.push_back(d);
    return devices;
}

struct usb_device* FindInstrument(Sim& sim) {
    for (struct usb_device* d : Walk(sim))
        if (d->descriptor.idVendor == protocol::kVendorId &&
            d->descriptor.idProduct == protocol::kProductId)
            return d;
    return nullptr;
}

// Find and open as the program does it: search, walk, open, configuration 1, interface 0.
usb_dev_handle* OpenInstrument(Sim& sim) {
    sim.findBusses();
    sim.findDevices();
    struct usb_device* device = FindInstrument(sim);
    if (!device) return nullptr;
    usb_dev_handle* handle = sim.open(device);
    sim.setConfiguration(handle, protocol::kConfiguration);
    sim.claimInterface(handle, protocol::kInterface);
    return handle;
}

int Send(Sim& sim, usb_dev_handle* handle, Command command) {
    const porvel::CommandFrame frame = porvel::MakeFrame(command);
    return sim.bulkWrite(handle, protocol::kEndpointOut,
                         reinterpret_cast<const char*>(frame.bytes.data()),
                         static_cast<int>(frame.size), kTimeoutMs);
}

// Command, pause, header, payload; the payload, or empty when a transfer failed.
std::string Ask(Sim& sim, usb_dev_handle* handle, Command command) {
    if (Send(sim, handle, command) < 0) return {};
    Pause(sim, porvel::PauseAfterCommandMs(command));
    std::uint8_t header[4];
    if (sim.bulkRead(handle, protocol::kEndpointIn, reinterpret_cast<char*>(header), 4,
                     kTimeoutMs) != 4)
        return {};
    std::string payload(porvel::ReadU32(header), '\0');
    const int got = sim.bulkRead(handle, protocol::kEndpointIn, payload.data(),
                                 static_cast<int>(payload.size()), kTimeoutMs);
    return got < 0 ? std::string() : payload.substr(0, static_cast<std::size_t>(got));
}

class SimUsbShim : public ::testing::Test {
protected:
    void SetUp() override {
        Sim& sim = Library();
        // Whatever the caller's environment names, these tests start from the demo.
        unsetenv("PORVEL_SIM_SCENARIO");
        unsetenv("PORVEL_SIM_LOG");
        sim.reset();
        sim.init();
    }
    Sim& sim = Library();
};

TEST_F(SimUsbShim, ExportsEveryEntryTheProgramResolves) {
    for (const char* name : porvel::LibUsbBinding::kEntryNames)
        EXPECT_NE(dlsym(sim.library, name), nullptr) << name;
}

TEST_F(SimUsbShim, SearchesReportChangesOnlyOnce) {
    ASSERT_EQ(sim.loadScenario("other_device 1 0x046d 0xc077\nother_device 3 0x1d6b 2\n"), 0);
    EXPECT_EQ(sim.getBusses(), nullptr);  // nothing before the first search
    EXPECT_EQ(sim.findBusses(), 2);
    EXPECT_EQ(sim.findDevices(), 3);
    EXPECT_EQ(sim.findBusses(), 0);
    EXPECT_EQ(sim.findDevices(), 0);

    const std::vector<struct usb_device*> devices = Walk(sim);
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0]->descriptor.idVendor, 0x046D);
    EXPECT_EQ(devices[1]->descriptor.idVendor, 0x1D6B);
    EXPECT_EQ(devices[2]->descriptor.idVendor, protocol::kVendorId);
    EXPECT_EQ(devices[2]->descriptor.idProduct, protocol::kProductId);
    EXPECT_EQ(devices[2]->descriptor.bLength, USB_DT_DEVICE_SIZE);
    ASSERT_NE(devices[2]->config, nullptr);
    const usb_interface_descriptor& setting = devices[2]->config->interface->altsetting[0];
    ASSERT_EQ(setting.bNumEndpoints, 2);
    EXPECT_EQ(setting.endpoint[0].bEndpointAddress, protocol::kEndpointOut);
    EXPECT_EQ(setting.endpoint[1].bEndpointAddress, protocol::kEndpointIn);
    EXPECT_EQ(devices[2]->bus->next, nullptr);
    EXPECT_EQ(sim.getBusses()->next, devices[2]->bus);
}

TEST_F(SimUsbShim, FirstMatchingDeviceInBusOrderIsOpened) {
    ASSERT_EQ(sim.loadScenario("instruments 2\nother_device 1 5 6\n"), 0);
    usb_dev_handle* handle = OpenInstrument(sim);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(sim.lastOpenDevice(), 1);
    EXPECT_EQ(sim.openCalls(), 1);
    EXPECT_EQ(sim.initCalls(), 1);
    EXPECT_EQ(sim.close(handle), 0);
}

TEST_F(SimUsbShim, BulkTransfersReachTheInstrumentOfTheScenario) {
    ASSERT_EQ(sim.loadScenario("version \"PORVEL test\"\nrecord\nrecord\n"), 0);
    usb_dev_handle* handle = OpenInstrument(sim);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(Ask(sim, handle, Command::ReadVersion), "PORVEL test");
    EXPECT_EQ(Ask(sim, handle, Command::ReadParameters).size(), protocol::kParametersSize);
    EXPECT_EQ(sim.transfers(), 6);
    EXPECT_EQ(sim.violations(), 0);
    const std::string log = sim.log();
    EXPECT_NE(log.find(" ReadVersion\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" ReadParameters\n"), std::string::npos) << log;
    sim.close(handle);
}

TEST_F(SimUsbShim, TransfersAreCheckedBeforeTheyReachTheInstrument) {
    sim.loadDemo();
    sim.findBusses();
    sim.findDevices();
    usb_dev_handle* handle = sim.open(FindInstrument(sim));
    ASSERT_NE(handle, nullptr);
    char frame[2] = {0x01, static_cast<char>(0xFE)};
    // Not configured and claimed yet: refused and counted as a rule broken by the host.
    EXPECT_EQ(sim.bulkWrite(handle, protocol::kEndpointOut, frame, 2, kTimeoutMs), -EPERM);
    EXPECT_EQ(sim.violations(), 1);
    EXPECT_EQ(sim.setConfiguration(handle, 2), -EINVAL);
    EXPECT_EQ(sim.setConfiguration(handle, 1), 0);
    EXPECT_EQ(sim.claimInterface(handle, 1), -EINVAL);
    EXPECT_EQ(sim.claimInterface(handle, 0), 0);
    EXPECT_EQ(sim.bulkWrite(handle, protocol::kEndpointIn, frame, 2, kTimeoutMs), -EINVAL);
    EXPECT_EQ(sim.bulkRead(handle, 0x02, frame, 2, kTimeoutMs), -EINVAL);
    EXPECT_STREQ(sim.strerror(), "endpoint 0x02 is not 0x82");
    int bogus = 0;
    EXPECT_EQ(sim.bulkWrite(reinterpret_cast<usb_dev_handle*>(&bogus), protocol::kEndpointOut,
                            frame, 2, kTimeoutMs),
              -EINVAL);
    EXPECT_EQ(sim.transfers(), 0);
    EXPECT_LT(sim.controlMsg(handle, 0x80, 6, 0x100, 0, frame, 2, kTimeoutMs), 0);
    EXPECT_EQ(sim.bulkWrite(handle, protocol::kEndpointOut, frame, 2, kTimeoutMs), 2);
    EXPECT_EQ(sim.close(handle), 0);
    EXPECT_EQ(sim.close(handle), -EINVAL);  // a handle closed is gone
}

TEST_F(SimUsbShim, AbsentInstrumentAppearsAfterItsSearches) {
    ASSERT_EQ(sim.loadScenario("fault absent searches=2\n"), 0);
    EXPECT_EQ(sim.findBusses(), 1);
    EXPECT_EQ(sim.findDevices(), 0);
    EXPECT_EQ(FindInstrument(sim), nullptr);
    EXPECT_EQ(sim.findDevices(), 0);
    EXPECT_EQ(sim.findDevices(), 1);
    EXPECT_NE(FindInstrument(sim), nullptr);
}

TEST_F(SimUsbShim, UnpluggedInstrumentLeavesTheBusAndComesBackAsNew) {
    ASSERT_EQ(sim.loadScenario("fault unplug after=3 back=0\n"), 0);
    usb_dev_handle* old = OpenInstrument(sim);
    ASSERT_NE(old, nullptr);
    EXPECT_FALSE(Ask(sim, old, Command::ReadScreen).empty());  // transfers 1 to 3
    EXPECT_EQ(Send(sim, old, Command::ReadScreen), -ENODEV);
    // Gone and back between two searches still counts: the device is a new one.
    EXPECT_EQ(sim.findBusses(), 0);
    EXPECT_EQ(sim.findDevices(), 2);
    usb_dev_handle* fresh = sim.open(FindInstrument(sim));
    sim.setConfiguration(fresh, 1);
    sim.claimInterface(fresh, 0);
    EXPECT_EQ(Send(sim, old, Command::ReadScreen), -ENODEV);
    EXPECT_EQ(Ask(sim, fresh, Command::ReadScreen).size(), protocol::kScreenSize);
    sim.close(old);
    sim.close(fresh);
}

TEST_F(SimUsbShim, LoadingAScenarioAnnouncesAllDevicesAgain) {
    usb_dev_handle* handle = OpenInstrument(sim);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(sim.findDevices(), 0);
    ASSERT_EQ(sim.loadScenario("record\n"), 0);
    EXPECT_EQ(sim.findBusses(), 1);
    EXPECT_EQ(sim.findDevices(), 1);
    EXPECT_EQ(Send(sim, handle, Command::ReadVersion), -ENODEV);  // the old handle died
    sim.close(handle);
}

TEST_F(SimUsbShim, BadScenarioKeepsThePreviousOneAndSaysWhy) {
    ASSERT_EQ(sim.loadScenario("version \"kept\"\n"), 0);
    EXPECT_STREQ(sim.lastError(), "");
    EXPECT_EQ(sim.loadScenario("record\nrecord m=x\n"), -1);
    EXPECT_STREQ(sim.lastError(), "line 2: m must be a number, not \"x\"");
    usb_dev_handle* handle = OpenInstrument(sim);
    EXPECT_EQ(Ask(sim, handle, Command::ReadVersion), "kept");
    sim.close(handle);
}

TEST_F(SimUsbShim, ScenarioAndLogFilesFromTheEnvironment) {
    const std::string dir = ::testing::TempDir();
    const std::string scenarioPath = dir + "/sim_env_scenario.txt";
    const std::string logPath = dir + "/sim_env.log";
    std::ofstream(scenarioPath) << "version \"from file\"\nfault material_crc entry=3\n";
    std::remove(logPath.c_str());
    sim.reset();
    setenv("PORVEL_SIM_SCENARIO", scenarioPath.c_str(), 1);
    setenv("PORVEL_SIM_LOG", logPath.c_str(), 1);
    sim.init();
    sim.init();  // a second call reads nothing again
    unsetenv("PORVEL_SIM_SCENARIO");
    unsetenv("PORVEL_SIM_LOG");
    EXPECT_EQ(sim.initCalls(), 2);

    usb_dev_handle* handle = OpenInstrument(sim);
    EXPECT_EQ(Ask(sim, handle, Command::ReadVersion), "from file");
    EXPECT_EQ(Ask(sim, handle, Command::ReadMaterials).size(), protocol::kMaterialListSize);
    sim.close(handle);
    std::ifstream logFile(logPath);
    const std::string logged((std::istreambuf_iterator<char>(logFile)),
                             std::istreambuf_iterator<char>());
    EXPECT_EQ(logged, sim.log());
    EXPECT_NE(logged.find("fault: material entry 3"), std::string::npos) << logged;
}

TEST_F(SimUsbShim, ListWrittenThroughTheBusCanBeReadBack) {
    sim.loadDemo();
    std::vector<unsigned char> before(protocol::kObjectListSize);
    EXPECT_EQ(sim.objectList(before.data(), 10), -1);
    ASSERT_EQ(sim.objectList(before.data(), static_cast<int>(before.size())), 720);
    std::vector<unsigned char> block = before;
    block[36 + 30] = 7;  // object 1 now made of material 7
    porvel::StoreCrc(&block[36], protocol::kObjectCrcOffset);

    usb_dev_handle* handle = OpenInstrument(sim);
    ASSERT_GE(Send(sim, handle, Command::WriteObjects), 0);
    Pause(sim, protocol::kPauseBeforeListWriteMs);
    std::uint8_t header[4];
    porvel::WriteU32(header, static_cast<std::uint32_t>(block.size()));
    ASSERT_EQ(sim.bulkWrite(handle, protocol::kEndpointOut, reinterpret_cast<char*>(header), 4,
                            kTimeoutMs),
              4);
    for (std::size_t at = 0; at < block.size(); at += protocol::kWritePieceSize) {
        const int size = static_cast<int>(std::min(protocol::kWritePieceSize, block.size() - at));
        ASSERT_EQ(sim.bulkWrite(handle, protocol::kEndpointOut, reinterpret_cast<char*>(&block[at]),
                                size, kTimeoutMs),
                  size);
        Pause(sim, protocol::kPauseAfterPieceMs);
    }
    sim.close(handle);
    std::vector<unsigned char> after(protocol::kObjectListSize);
    ASSERT_EQ(sim.objectList(after.data(), static_cast<int>(after.size())), 720);
    EXPECT_EQ(after, block);
    EXPECT_EQ(sim.violations(), 0);
    std::vector<unsigned char> materials(protocol::kMaterialListSize);
    EXPECT_EQ(sim.materialList(materials.data(), static_cast<int>(materials.size())), 880);
}

TEST_F(SimUsbShim, FailedTransferReportsItsErrorText) {
    ASSERT_EQ(sim.loadScenario("fault fail_transfer at=1\n"), 0);
    usb_dev_handle* handle = OpenInstrument(sim);
    EXPECT_EQ(Send(sim, handle, Command::ReadScreen), -EIO);
    EXPECT_STREQ(sim.strerror(), "Input/output error");
    char byte;
    EXPECT_EQ(sim.bulkRead(handle, protocol::kEndpointIn, &byte, 1, kQuickTimeoutMs), -ETIMEDOUT);
    sim.close(handle);
}

}  // namespace
