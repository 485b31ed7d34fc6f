#include "crc16.h"

#include <array>

namespace porvel {
namespace {

constexpr std::uint16_t kReflectedPolynomial = 0xA001;

constexpr std::array<std::uint16_t, 256> MakeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t crc = static_cast<std::uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ kReflectedPolynomial)
                            : static_cast<std::uint16_t>(crc >> 1);
        table[i] = crc;
    }
    return table;
}

// Built at compile time: one lookup, one shift and one XOR per byte at run time.
constexpr std::array<std::uint16_t, 256> kTable = MakeTable();
static_assert(kTable[1] == 0xC0C1);

}  // namespace

std::uint16_t Crc16(const std::uint8_t* data, std::size_t size) {
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < size; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kTable[(crc ^ data[i]) & 0xFF]);
    return crc;
}

}  // namespace porvel
