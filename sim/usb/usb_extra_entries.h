// Entries of the libusb-0.1 interface that the Linux usb.h does not declare: the Windows build
// has them (asynchronous transfers, driver and service installation, the version query), and
// the program resolves all 43 names. Declared here with the Windows build's signatures; the
// window and instance handles of the rundll entries are plain pointers on this side.
#pragma once

#include <usb.h>

struct usb_version {
    struct {
        int major;
        int minor;
        int micro;
        int nano;
    } dll;
    struct {
        int major;
        int minor;
        int micro;
        int nano;
    } driver;
};

extern "C" {

const struct usb_version* usb_get_version(void);

int usb_bulk_setup_async(usb_dev_handle* dev, void** context, unsigned char ep);
int usb_interrupt_setup_async(usb_dev_handle* dev, void** context, unsigned char ep);
int usb_isochronous_setup_async(usb_dev_handle* dev, void** context, unsigned char ep, int pktsize);
int usb_submit_async(void* context, char* bytes, int size);
int usb_reap_async(void* context, int timeout);
int usb_reap_async_nocancel(void* context, int timeout);
int usb_cancel_async(void* context);
int usb_free_async(void** context);

int usb_install_service_np(void);
int usb_uninstall_service_np(void);
int usb_install_driver_np(const char* inf_file);
int usb_touch_inf_file_np(const char* inf_file);
int usb_install_needs_restart_np(void);
void usb_install_service_np_rundll(void* wnd, void* instance, char* cmd_line, int cmd_show);
void usb_uninstall_service_np_rundll(void* wnd, void* instance, char* cmd_line, int cmd_show);
void usb_install_driver_np_rundll(void* wnd, void* instance, char* cmd_line, int cmd_show);
void usb_touch_inf_file_np_rundll(void* wnd, void* instance, char* cmd_line, int cmd_show);

}  // extern "C"
