// The binding against the machine's own libusb-0.1 and against libraries that are not usable.
#include <gtest/gtest.h>

#include <cstdlib>

#include "device/libusb_binding.h"

namespace porvel {
namespace {

class ScopedLibrary {
public:
    explicit ScopedLibrary(const char* file) {
        if (file)
            setenv("PORVEL_USB_LIBRARY", file, 1);
        else
            unsetenv("PORVEL_USB_LIBRARY");
    }
    ~ScopedLibrary() { unsetenv("PORVEL_USB_LIBRARY"); }
};

TEST(LibUsbSystem, TheDefaultLibraryLoadsAndFindsNoInstrument) {
    ScopedLibrary library(nullptr);
    EXPECT_EQ(LibUsbBinding::LibraryFileName(), "libusb-0.1.so.4");
    LibUsbBinding usb;
    ASSERT_EQ(usb.Load(), LibUsbBinding::kLoaded);
    EXPECT_EQ(usb.Load(), LibUsbBinding::kLoaded);
    // This machine has no instrument on its bus (or no bus at all).
    EXPECT_EQ(usb.FindAndOpen(), LibUsbBinding::kAbsent);
    EXPECT_EQ(usb.DeviceHandle(), nullptr);
    EXPECT_LT(usb.Read(nullptr, 4), 0);  // no device: a failure, not a crash
    usb.Close();
    usb.Reset();
    EXPECT_FALSE(usb.LibraryLoaded());
}

TEST(LibUsbSystem, AMissingFileAnswersOneAndIsTriedAgain) {
    LibUsbBinding usb;
    {
        ScopedLibrary library("/nonexistent/libusb-0.1.so.4");
        EXPECT_EQ(usb.Load(), LibUsbBinding::kLibraryMissing);
        EXPECT_FALSE(usb.LibraryLoaded());
        EXPECT_EQ(usb.FindAndOpen(), LibUsbBinding::kAbsent);
    }
    ScopedLibrary library(nullptr);
    EXPECT_EQ(usb.Load(), LibUsbBinding::kLoaded);
}

TEST(LibUsbSystem, ALibraryLackingAnEntryAnswersTwoEveryTime) {
    ScopedLibrary library(PORVEL_BROKEN_USB_LIBRARY);
    LibUsbBinding usb;
    EXPECT_EQ(usb.Load(), LibUsbBinding::kEntryMissing);
    EXPECT_FALSE(usb.LibraryLoaded());
    EXPECT_EQ(usb.Load(), LibUsbBinding::kEntryMissing);
    EXPECT_EQ(usb.FindAndOpen(), LibUsbBinding::kAbsent);
}

}  // namespace
}  // namespace porvel
