#include "curve_store.h"

#include "wire/byte_order.h"

namespace porvel {

CurveStore::CurveStore() {
    slots_.reserve(kInitialSlots);
    for (int i = 0; i < kInitialSlots; ++i) slots_.push_back(std::make_unique<Slot>());
}

const std::uint16_t* CurveStore::Words(int slot) const {
    if (slot < 0 || slot >= SlotCount()) return nullptr;
    return slots_[static_cast<std::size_t>(slot)]->data();
}

std::uint16_t* CurveStore::MutableWords(int slot) {
    if (!ValidSlot(slot)) return nullptr;
    while (slot >= SlotCount()) slots_.push_back(std::make_unique<Slot>());
    return slots_[static_cast<std::size_t>(slot)]->data();
}

bool CurveStore::StoreBlock(int slot, const std::uint8_t* bytes) {
    std::uint16_t* words = MutableWords(slot);
    if (!words) return false;
    for (std::size_t i = 0; i < kSlotWords; ++i) words[i] = ReadU16(bytes + 2 * i);
    return true;
}

CurveStore& Curves() {
    static CurveStore store;
    return store;
}

}  // namespace porvel
