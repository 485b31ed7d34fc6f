// The instrument's parameter block: the bitmap of occupied archive slots, the device settings
// the host passes by, and the end marker.
#pragma once

#include <cstddef>

#include "wire/frames.h"

namespace porvel::sim {

// One bit per stored record, spread over the 128 archive slots the way a device that has
// deleted and reused slots leaves them; `records` is at most 128.
ParameterBlock BuildParameterBlock(std::size_t records);

// The slot (bit number 0..127) that holds the record of ordinal k among `records`.
std::size_t SlotOfRecord(std::size_t ordinal);

}  // namespace porvel::sim
