// CRC-16/ARC (reflected polynomial 0xA001, initial 0, no final XOR) of the instrument's blocks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace porvel {

std::uint16_t Crc16(const std::uint8_t* data, std::size_t size);

}  // namespace porvel
