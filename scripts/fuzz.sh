#!/usr/bin/env bash
# The archive file reader under libFuzzer (clang, AddressSanitizer, UBSan).
#   scripts/fuzz.sh SECONDS   fuzzes for that long, from the seeds in tests/fuzz/corpus
#   scripts/fuzz.sh --replay  runs the seeds once each, as the test command does
# New inputs go to build-fuzz/corpus, crashing ones to build-fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:?usage: scripts/fuzz.sh SECONDS | --replay}
scripts/setup.sh

cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2

fuzzer=build-fuzz/archive_file_fuzz
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
if [ "$mode" = "--replay" ]; then
  "$fuzzer" tests/fuzz/corpus/*
else
  mkdir -p build-fuzz/corpus build-fuzz/artifacts
  "$fuzzer" -max_total_time="$mode" -artifact_prefix=build-fuzz/artifacts/ \
    build-fuzz/corpus tests/fuzz/corpus
fi
