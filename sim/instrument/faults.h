// Faults the simulated instrument can be asked to show, as a scenario lists them. Transfers are
// numbered from 1 over every bulk transfer that reaches the device (both directions) since the
// scenario was loaded; records by their ReadRecord ordinal from 0; list entries from 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "wire/protocol.h"

namespace porvel::sim {

struct NumberSpan {
    unsigned first = 0;
    unsigned count = 1;
    bool Covers(unsigned n) const { return n >= first && n - first < count; }
};

struct HeaderOverride {
    protocol::Command command;
    std::uint32_t value = 0;
};

struct Faults {
    unsigned absentSearches = 0;  // not on the bus for the first N device searches
    std::vector<NumberSpan> failingTransfers;
    std::set<std::size_t> recordCrc;        // record ordinals with a spoiled CRC
    std::set<std::size_t> recordMarker;     // ... with a spoiled end marker (CRC still right)
    std::set<std::size_t> curveCrc;         // ... whose curve block has a spoiled CRC
    std::set<std::size_t> materialEntries;  // entries with a spoiled CRC in every reply
    std::set<std::size_t> objectEntries;
    unsigned spoiledParameterReplies = 0;  // the first N parameter blocks lack the end marker
    unsigned unplugAfterTransfer = 0;      // 0: never unplugged
    std::optional<unsigned> replugAfterSearches;  // searches that still miss it after unplugging
    std::vector<NumberSpan> shortPayloads;        // payload transfers (numbered apart) cut to half
    std::vector<HeaderOverride> headers;          // length headers that lie about their payload
};

inline bool AnyCovers(const std::vector<NumberSpan>& spans, unsigned n) {
    for (const NumberSpan& span : spans)
        if (span.Covers(n)) return true;
    return false;
}

}  // namespace porvel::sim
