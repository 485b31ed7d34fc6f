#!/usr/bin/env bash
# Builds the benchmarks and runs each; every one prints its figures against its goal.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
build/bin/exchange_read_bench
build/bin/chart_bench
build/bin/archive_file_bench
build/bin/archive_scale_bench
build/bin/spreadsheet_export_bench
build/bin/settings_exchange_bench
