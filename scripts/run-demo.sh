#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on the simulated instrument.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec build/bin/porvel --demo "$@"
