#!/usr/bin/env bash
# Installs what is missing, builds the program with its simulated instrument and starts it there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target porvel porvel-sim
exec build/bin/porvel --demo "$@"
