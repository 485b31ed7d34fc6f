// The built-in demo instrument: a few weeks of field work on one site, its own material and
// object lists and the result page on its display. Always the same bytes (fixed seed).
#pragma once

#include "device_memory.h"
#include "list_blocks.h"

namespace porvel::sim {

DeviceMemory DemoMemory();

MaterialDefs DemoMaterials();
ObjectDefs DemoObjects();

// The result page of a measurement as the display shows it after the test.
ScreenBlock ResultScreen(const StoredMeasurement& measurement, const ObjectDefs& objects);

}  // namespace porvel::sim
