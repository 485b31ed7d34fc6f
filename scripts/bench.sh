#!/usr/bin/env bash
# Builds the benchmarks and runs each; every one prints its figures against its goals, and the
# script ends with one table of them all: benchmark, figure, value, goal, met or not.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# On the desktop most of the users have: Russian, decimal comma.
export LC_ALL=${PORVEL_BENCH_LOCALE:-ru_RU.UTF-8}
benchmarks=(exchange_read_bench chart_bench archive_file_bench archive_scale_bench
            spreadsheet_export_bench settings_exchange_bench printout_bench)
results=$(mktemp)
trap 'rm -f "$results"' EXIT
failed=0
for bench in "${benchmarks[@]}"; do
  echo "== $bench"
  # The goal lines go to the table; the benchmark's own words to the screen.
  if ! "build/bin/$bench" | tee >(grep '^GOAL' >>"$results") | grep -v '^GOAL'; then
    echo "$bench did not finish" >&2
    failed=1
  fi
done
sleep 0.2  # the last tee's reader
echo
awk -F'\t' 'BEGIN { printf "%-20s %-34s %14s %14s  %s\n", "benchmark", "figure", "value", "goal", "" }
            { printf "%-20s %-34s %14s %14s  %s\n", $2, $3, $4, $5, $6 }' "$results"
if grep -q 'NOT MET' "$results"; then echo "some goals are not met"; fi
exit "$failed"
