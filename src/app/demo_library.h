// Where the bundled simulated instrument lies relative to the program.
#pragma once

#include <QString>

namespace porvel {

// <program dir>/../lib/libporvel-sim.so, as the build and the install leave it.
QString BundledSimulatorPath();
// Points the USB binding at the bundled simulator; false when it is not there.
bool UseBundledSimulator();

}  // namespace porvel
