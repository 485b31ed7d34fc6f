// The curve store: every measurement's pressure curve block under its slot number, each kept in
// exactly the words it has. A table row names its slot in its last column; the store itself
// knows nothing of rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "wire/protocol.h"

namespace porvel {

class CurveStore {
public:
    // One curve is at most one receive slot of the instrument.
    static constexpr std::size_t kMaxCurveWords = protocol::kCurveSlotWords;
    // All curves together: 1 GiB, some hundred thousand measurements. Keeps a crafted file or a
    // runaway append from claiming the machine's memory.
    static constexpr std::size_t kDefaultBudgetWords = (std::size_t{1} << 30) / 2;

    explicit CurveStore(std::size_t budgetWords = kDefaultBudgetWords);

    // The curve under `slot`; null, and a count of 0, when the store holds none there.
    const std::uint16_t* Words(int slot) const;
    std::size_t WordCount(int slot) const;
    bool Has(int slot) const { return curves_.count(slot) != 0; }

    // A curve of `count` zero words under `slot`, replacing the one there, to be filled by the
    // caller. Null, and nothing changed, for a negative slot, more than kMaxCurveWords words or
    // a curve the budget cannot take.
    std::uint16_t* Allocate(int slot, std::size_t count);
    // The first `count` words of a curve block as the instrument and the file keep it
    // (little-endian) under `slot`; false, and nothing changed, where Allocate gives null.
    bool StoreBlock(int slot, const std::uint8_t* bytes, std::size_t count);
    // Whether `count` more words fit the budget.
    bool CanHold(std::size_t count) const { return count <= budget_ - total_; }

    void Clear();
    // Drops every curve whose slot is not in `kept`.
    void KeepOnly(const std::unordered_set<int>& kept);
    void Swap(CurveStore& other) noexcept;
    std::size_t CurveCount() const { return curves_.size(); }
    std::size_t TotalWords() const { return total_; }
    std::size_t BudgetWords() const { return budget_; }

private:
    // Allocate without the zeros, for callers that fill every word.
    std::uint16_t* Place(int slot, std::size_t count);

    struct Curve {
        std::unique_ptr<std::uint16_t[]> words;
        std::size_t count = 0;
    };
    std::unordered_map<int, Curve> curves_;
    std::size_t total_ = 0;
    std::size_t budget_;
};

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

// Slot numbers a file's rows keep as they stand: below this, or below the file's number of
// curves when it has more. Any other number (a wild one in a damaged file) is given anew.
constexpr int kKeptSlotNumbers = 256;

// `named` holds the slot number each curve row of a file names, in row order. A row keeps its
// number when it is below the larger of kKeptSlotNumbers and the number of rows, and no earlier
// row claimed it; every other row gets the lowest number that no row keeps.
std::vector<int> AssignSlots(const std::vector<int>& named);

}  // namespace porvel
