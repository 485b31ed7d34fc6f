// The curve store: numbered slots of 32768 16-bit words, one curve block each. A table row
// names its slot in its last column; the store itself knows nothing of rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "wire/protocol.h"

namespace porvel {

class CurveStore {
public:
    static constexpr std::size_t kSlotWords = protocol::kCurveSlotWords;
    static constexpr int kInitialSlots = 256;
    // Far beyond any real table (8192 measurements, 512 MiB of curves); keeps a wild slot
    // number or a crafted file from claiming the machine's memory.
    static constexpr int kMaxSlots = 1 << 13;
    using Slot = std::array<std::uint16_t, kSlotWords>;

    CurveStore();

    int SlotCount() const { return static_cast<int>(slots_.size()); }
    bool ValidSlot(int slot) const { return slot >= 0 && slot < kMaxSlots; }
    // Null outside the store.
    const std::uint16_t* Words(int slot) const;
    // Grows the store to hold `slot`; null when the slot number is not valid.
    std::uint16_t* MutableWords(int slot);
    // Copies one 64 KiB receive slot (little-endian words) into `slot`.
    bool StoreBlock(int slot, const std::uint8_t* bytes);

private:
    std::vector<std::unique_ptr<Slot>> slots_;
};

CurveStore& Curves();

}  // namespace porvel
