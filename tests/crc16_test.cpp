#include "wire/crc16.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace porvel {
namespace {

std::uint16_t CrcOf(const std::string& s) {
    return Crc16(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

TEST(Crc16, CheckValuesOfTheArcAlgorithm) {
    EXPECT_EQ(Crc16(nullptr, 0), 0);
    EXPECT_EQ(CrcOf("123456789"), 0xBB3D);
    // A single byte exercises the table directly: table[1] for byte 0x01.
    EXPECT_EQ(CrcOf(std::string(1, '\x01')), 0xC0C1);
}

TEST(Crc16, AnyBlockFollowedByItsOwnCrcChecksToZero) {
    for (const std::string& s :
         {std::string("A"), std::string("123456789"), std::string(36, '\xAA'),
          std::string("\x00\xFF\x10\x80", 4), std::string(65534, 'z')}) {
        std::vector<std::uint8_t> bytes(s.begin(), s.end());
        const std::uint16_t crc = Crc16(bytes.data(), bytes.size());
        bytes.push_back(static_cast<std::uint8_t>(crc & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
        EXPECT_EQ(Crc16(bytes.data(), bytes.size()), 0) << "length " << s.size();
    }
}

}  // namespace
}  // namespace porvel
