// Giving every curve of an archive file its own slot of the curve store.
#pragma once

#include <vector>

namespace porvel {

// `named` holds the slot number each curve row names, in row order. A row keeps its number when
// the store already has that slot (0 to storeSlots - 1) and no earlier row claimed it; every
// other row gets the lowest number that no row keeps. The numbers stay below the larger of
// storeSlots and the number of rows.
std::vector<int> AssignSlots(const std::vector<int>& named, int storeSlots);

}  // namespace porvel
