#include "slot_assignment.h"

#include <algorithm>

namespace porvel {

std::vector<int> AssignSlots(const std::vector<int>& named, int storeSlots) {
    const int bound = std::max(storeSlots, static_cast<int>(named.size()));
    std::vector<bool> taken(static_cast<std::size_t>(bound), false);
    std::vector<int> assigned(named.size(), -1);
    for (std::size_t i = 0; i < named.size(); ++i) {
        const int slot = named[i];
        if (slot < 0 || slot >= storeSlots || taken[static_cast<std::size_t>(slot)]) continue;
        taken[static_cast<std::size_t>(slot)] = true;
        assigned[i] = slot;
    }
    // There are never more rows than numbers below the bound, so a free one is always found.
    int next = 0;
    for (int& slot : assigned) {
        if (slot >= 0) continue;
        while (taken[static_cast<std::size_t>(next)]) ++next;
        taken[static_cast<std::size_t>(next)] = true;
        slot = next;
    }
    return assigned;
}

}  // namespace porvel
