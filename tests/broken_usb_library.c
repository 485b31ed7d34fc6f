/* A library that has some of the libusb-0.1 entries but not usb_bulk_read. */
void usb_init(void) {}
int usb_find_busses(void) {
    return 0;
}
int usb_find_devices(void) {
    return 0;
}
void* usb_get_busses(void) {
    return 0;
}
