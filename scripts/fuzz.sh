#!/usr/bin/env bash
# The libFuzzer targets (clang, AddressSanitizer, UBSan): archive_file (the archive file reader)
# and exchange (an exchange fed with whatever the instrument may send).
#   scripts/fuzz.sh TARGET SECONDS   fuzzes one target for that long, from its seeds in
#                                    tests/fuzz/corpus/TARGET
#   scripts/fuzz.sh --replay         runs every target's seeds once each, as the test command does
# New inputs go to build-fuzz/corpus/TARGET, crashing ones to build-fuzz/artifacts/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(archive_file exchange)
usage="usage: scripts/fuzz.sh TARGET SECONDS | --replay   (targets: ${targets[*]})"
mode=${1:?$usage}
scripts/setup.sh

cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
if [ "$mode" = "--replay" ]; then
  for target in "${targets[@]}"; do
    echo "== $target: $(ls tests/fuzz/corpus/$target | wc -l) seeds"
    build-fuzz/${target}_fuzz tests/fuzz/corpus/$target/*
  done
  exit 0
fi

target=$mode
seconds=${2:?$usage}
[[ " ${targets[*]} " == *" $target "* ]] || { echo "$usage" >&2; exit 2; }
mkdir -p build-fuzz/corpus/$target build-fuzz/artifacts/$target
build-fuzz/${target}_fuzz -max_total_time="$seconds" -artifact_prefix=build-fuzz/artifacts/$target/ \
  build-fuzz/corpus/$target tests/fuzz/corpus/$target
