// The binding against the simulated instrument, loaded by file name as a real library would be.
#include <gtest/gtest.h>

#include "device/libusb_binding.h"
#include "sim_library.h"
#include "wire/frames.h"

namespace porvel {
namespace {

class LibUsbSim : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim_.Ready()); }
    testing::SimLibrary sim_;
    LibUsbBinding usb_;
};

TEST_F(LibUsbSim, ASecondLoadTouchesNothing) {
    sim_.Load("record\n");
    ASSERT_EQ(usb_.Load(), LibUsbBinding::kLoaded);
    const int inits = sim_.Count("porvel_sim_init_calls");
    EXPECT_EQ(usb_.Load(), LibUsbBinding::kLoaded);
    EXPECT_EQ(sim_.Count("porvel_sim_init_calls"), inits);
}

TEST_F(LibUsbSim, AHandleIsKeptWhileTheBusDoesNotChange) {
    sim_.Load("record\n");
    ASSERT_EQ(usb_.Load(), LibUsbBinding::kLoaded);
    ASSERT_EQ(usb_.FindAndOpen(), LibUsbBinding::kFound);
    usb_dev_handle* first = usb_.DeviceHandle();
    ASSERT_NE(first, nullptr);
    const int opens = sim_.Count("porvel_sim_open_calls");

    ASSERT_EQ(usb_.FindAndOpen(), LibUsbBinding::kFound);
    EXPECT_EQ(usb_.DeviceHandle(), first);
    EXPECT_EQ(sim_.Count("porvel_sim_open_calls"), opens);

    // The held handle still talks to the instrument.
    const CommandFrame frame = MakeFrame(protocol::Command::ReadObjects);
    EXPECT_EQ(usb_.Write(frame.bytes.data(), 2), 2);
    std::uint8_t header[4];
    EXPECT_EQ(usb_.Read(header, 4), 4);
    usb_.Close();
}

TEST_F(LibUsbSim, AChangeOnTheBusOpensTheInstrumentAgain) {
    sim_.Load("record\nfault unplug after=1 back=0\n");
    ASSERT_EQ(usb_.Load(), LibUsbBinding::kLoaded);
    ASSERT_EQ(usb_.FindAndOpen(), LibUsbBinding::kFound);
    const CommandFrame frame = MakeFrame(protocol::Command::ReadObjects);
    ASSERT_EQ(usb_.Write(frame.bytes.data(), 2), 2);  // transfer 1; then it is unplugged
    std::uint8_t header[4];
    EXPECT_LT(usb_.Read(header, 4), 0);

    const int opens = sim_.Count("porvel_sim_open_calls");
    ASSERT_EQ(usb_.FindAndOpen(), LibUsbBinding::kFound);  // back as a new device
    EXPECT_EQ(sim_.Count("porvel_sim_open_calls"), opens + 1);
    EXPECT_EQ(usb_.Write(frame.bytes.data(), 2), 2);
}

TEST_F(LibUsbSim, TheFirstOfTwoMatchingDevicesIsOpened) {
    sim_.Load("other_device 1 0x046d 0xc077\nother_device 1 0x03eb 0x0221\ninstruments 2\n");
    ASSERT_EQ(usb_.Load(), LibUsbBinding::kLoaded);
    ASSERT_EQ(usb_.FindAndOpen(), LibUsbBinding::kFound);
    EXPECT_EQ(sim_.Count("porvel_sim_last_open_device"), 2);
}

TEST_F(LibUsbSim, AnAbsentInstrumentLeavesNoHandle) {
    sim_.Load("record\nfault absent searches=1\n");
    ASSERT_EQ(usb_.Load(), LibUsbBinding::kLoaded);
    EXPECT_EQ(usb_.FindAndOpen(), LibUsbBinding::kAbsent);
    EXPECT_EQ(usb_.DeviceHandle(), nullptr);
    EXPECT_EQ(usb_.FindAndOpen(), LibUsbBinding::kFound);
}

TEST_F(LibUsbSim, AShortReadCountsAsSuccess) {
    sim_.Load("record\nfault short_reply payload=1\n");
    ASSERT_EQ(usb_.Load(), LibUsbBinding::kLoaded);
    ASSERT_EQ(usb_.FindAndOpen(), LibUsbBinding::kFound);
    const CommandFrame frame = MakeFrame(protocol::Command::ReadObjects);
    ASSERT_GE(usb_.Write(frame.bytes.data(), 2), 0);
    std::uint8_t block[protocol::kObjectListSize];
    ASSERT_EQ(usb_.Read(block, 4), 4);
    const int got = usb_.Read(block, static_cast<int>(sizeof block));
    EXPECT_GE(got, 0);
    EXPECT_LT(got, static_cast<int>(sizeof block));
}

TEST_F(LibUsbSim, CloseTwiceAndResetLeaveNothingHeld) {
    sim_.Load("record\n");
    ASSERT_EQ(usb_.Load(), LibUsbBinding::kLoaded);
    ASSERT_EQ(usb_.FindAndOpen(), LibUsbBinding::kFound);
    usb_.Close();
    EXPECT_EQ(usb_.DeviceHandle(), nullptr);
    usb_.Close();
    EXPECT_LT(usb_.Write(reinterpret_cast<const std::uint8_t*>("\x07\xF8"), 2), 0);
    usb_.Reset();
    EXPECT_FALSE(usb_.LibraryLoaded());
    EXPECT_EQ(usb_.Load(), LibUsbBinding::kLoaded);  // loads afresh after a reset
}

}  // namespace
}  // namespace porvel
