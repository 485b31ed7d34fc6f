// What the exchanges of one program share from its start to its end: their flags and blocks, the
// names of the instrument's lists as last read, and the USB library. The program and porvel-cli
// each make one and hand it down to whatever starts or shows an exchange.
#pragma once

#include "exchange_types.h"
#include "libusb_binding.h"
#include "wire/name_tables.h"

namespace porvel {

struct ExchangeSession {
    ExchangeState exchange;
    NameTable objects = DefaultObjectNames();
    NameTable materials = DefaultMaterialNames();
    LibUsbBinding usb;
};

}  // namespace porvel
