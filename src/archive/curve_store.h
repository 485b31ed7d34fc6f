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

// Slot numbers 0 .. bound - 1, each taken or free, handing out the lowest free one: how rows
// entered from the instrument and rows read from a file get slots of their own.
class SlotNumbers {
public:
    explicit SlotNumbers(int bound);
    // False, and nothing changed, when `slot` is outside the bound or already taken.
    bool Take(int slot);
    // The lowest free number, now taken; -1 when every number is taken.
    int TakeLowestFree();

private:
    std::vector<bool> taken_;
    std::size_t lowestFree_ = 0;  // no number below it is free
};

// `named` holds the slot number each curve row of a file names, in row order. A row keeps its
// number when the store already has that slot (0 to storeSlots - 1) and no earlier row claimed
// it; every other row gets the lowest number that no row keeps. The numbers stay below the
// larger of storeSlots and the number of rows.
std::vector<int> AssignSlots(const std::vector<int>& named, int storeSlots);

}  // namespace porvel
