// One machine-readable line per goal, beside the benchmark's own words: scripts/bench.sh gathers
// them into the table it ends with. Tab-separated: GOAL, benchmark, figure, value, goal, verdict.
#pragma once

#include <cstdio>

namespace porvel::bench {

// `value` against `goal` ("at most" unless `below` asks for strictly under); returns whether
// it was met.
inline bool Goal(const char* benchmark, const char* figure, double value, const char* unit,
                 double goal, bool below = false) {
    const bool met = below ? value < goal : value <= goal;
    std::printf("GOAL\t%s\t%s\t%.3f%s\t%s %g%s\t%s\n", benchmark, figure, value, unit,
                below ? "<" : "<=", goal, unit, met ? "met" : "NOT MET");
    return met;
}

}  // namespace porvel::bench
