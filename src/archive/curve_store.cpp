#include "curve_store.h"

#include <QSysInfo>
#include <algorithm>
#include <cstring>

#include "wire/byte_order.h"

namespace porvel {

CurveStore::CurveStore(std::size_t budgetWords) : budget_(budgetWords) {}

const std::uint16_t* CurveStore::Words(int slot) const {
    const auto found = curves_.find(slot);
    return found == curves_.end() ? nullptr : found->second.words.get();
}

std::size_t CurveStore::WordCount(int slot) const {
    const auto found = curves_.find(slot);
    return found == curves_.end() ? 0 : found->second.count;
}

std::uint16_t* CurveStore::Allocate(int slot, std::size_t count) {
    std::uint16_t* words = Place(slot, count);
    if (words) std::fill(words, words + count, std::uint16_t{0});
    return words;
}

std::uint16_t* CurveStore::Place(int slot, std::size_t count) {
    if (slot < 0 || count > kMaxCurveWords) return nullptr;
    const std::size_t replaced = WordCount(slot);
    if (count > budget_ - (total_ - replaced)) return nullptr;
    // Made before the old curve goes, so that running out of memory changes nothing. Left
    // unset: every caller fills it.
    Curve curve{std::unique_ptr<std::uint16_t[]>(new std::uint16_t[count]), count};
    Curve& place = curves_[slot];
    total_ = total_ - replaced + count;
    place = std::move(curve);
    return place.words.get();
}

bool CurveStore::StoreBlock(int slot, const std::uint8_t* bytes, std::size_t count) {
    std::uint16_t* words = Place(slot, count);
    if (!words) return false;
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(words, bytes, count * 2);
    } else {
        for (std::size_t i = 0; i < count; ++i) words[i] = ReadU16(bytes + 2 * i);
    }
    return true;
}

void CurveStore::Clear() {
    curves_.clear();
    total_ = 0;
}

void CurveStore::KeepOnly(const std::unordered_set<int>& kept) {
    for (auto it = curves_.begin(); it != curves_.end();) {
        if (kept.count(it->first) != 0) {
            ++it;
            continue;
        }
        total_ -= it->second.count;
        it = curves_.erase(it);
    }
}

void CurveStore::Swap(CurveStore& other) noexcept {
    curves_.swap(other.curves_);
    std::swap(total_, other.total_);
    std::swap(budget_, other.budget_);
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

std::vector<int> AssignSlots(const std::vector<int>& named) {
    // There are never more rows than numbers below the bound, so a free one is always found.
    SlotNumbers numbers(std::max(kKeptSlotNumbers, static_cast<int>(named.size())));
    std::vector<int> assigned(named.size(), -1);
    for (std::size_t i = 0; i < named.size(); ++i)
        if (numbers.Take(named[i])) assigned[i] = named[i];
    for (int& slot : assigned)
        if (slot < 0) slot = numbers.TakeLowestFree();
    return assigned;
}

}  // namespace porvel
