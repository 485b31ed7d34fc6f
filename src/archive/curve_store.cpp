#include "curve_store.h"

#include <algorithm>

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

SlotNumbers::SlotNumbers(int bound) : taken_(static_cast<std::size_t>(std::max(bound, 0)), false) {}

bool SlotNumbers::Take(int slot) {
    if (slot < 0 || slot >= static_cast<int>(taken_.size())) return false;
    const auto at = static_cast<std::size_t>(slot);
    if (taken_[at]) return false;
    taken_[at] = true;
    return true;
}

int SlotNumbers::TakeLowestFree() {
    while (lowestFree_ < taken_.size() && taken_[lowestFree_]) ++lowestFree_;
    if (lowestFree_ == taken_.size()) return -1;
    taken_[lowestFree_] = true;
    return static_cast<int>(lowestFree_);
}

std::vector<int> AssignSlots(const std::vector<int>& named, int storeSlots) {
    // There are never more rows than numbers below the bound, so a free one is always found.
    SlotNumbers numbers(std::max(storeSlots, static_cast<int>(named.size())));
    std::vector<int> assigned(named.size(), -1);
    for (std::size_t i = 0; i < named.size(); ++i)
        if (named[i] < storeSlots && numbers.Take(named[i])) assigned[i] = named[i];
    for (int& slot : assigned)
        if (slot < 0) slot = numbers.TakeLowestFree();
    return assigned;
}

}  // namespace porvel
