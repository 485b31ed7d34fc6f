// Little-endian fields of the wire blocks, read and written without alignment assumptions.
#pragma once

#include <cstdint>
#include <cstring>

namespace porvel {

inline std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t ReadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline float ReadF32(const std::uint8_t* p) {
    const std::uint32_t bits = ReadU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void WriteU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void WriteU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void WriteF32(std::uint8_t* p, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    WriteU32(p, bits);
}

}  // namespace porvel
