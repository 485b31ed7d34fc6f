#!/usr/bin/env bash
# The libFuzzer targets (clang, AddressSanitizer, UBSan): archive_file (the archive file reader)
# and exchange (an exchange fed with whatever the instrument may send).
#   scripts/fuzz.sh TARGET SECONDS   fuzzes one target for that long, from its seeds in
#                                    tests/fuzz/corpus/TARGET
#   scripts/fuzz.sh --all SECONDS    fuzzes every target for that long, one after the other
#   scripts/fuzz.sh --replay         runs every target's seeds once each, as the test command does
# New inputs go to build-fuzz/corpus/TARGET, crashing ones to build-fuzz/artifacts/TARGET, the
# output of a run to build-fuzz/logs/TARGET.log. A finding, or a run that ends before its time,
# fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(archive_file exchange)
usage="usage: scripts/fuzz.sh TARGET SECONDS | --all SECONDS | --replay   (targets: ${targets[*]})"
mode=${1:?$usage}
scripts/setup.sh

cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# ASan counts only the bytes asked for against its quarantine, and the exchange frees mostly
# small strings: the default 256 MB grew a run to nearly 900 MB and slowed it down. 32 MB still
# outlasts the frees of many inputs, so a use after free is caught as before.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=32"

if [ "$mode" = "--replay" ]; then
  for target in "${targets[@]}"; do
    echo "== $target: $(ls tests/fuzz/corpus/$target | wc -l) seeds"
    build-fuzz/${target}_fuzz tests/fuzz/corpus/$target/*
  done
  exit 0
fi

seconds=${2:?$usage}
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "$usage" >&2; exit 2; }

# One target for $seconds; fails unless libFuzzer ran it that long without a finding.
fuzz() {
  local target=$1 log=build-fuzz/logs/$1.log
  mkdir -p build-fuzz/corpus/$target build-fuzz/artifacts/$target build-fuzz/logs
  echo "== $target: fuzzing for $seconds s (output in $log)"
  # An input that runs 10 s hangs: the slowest sound ones take a few milliseconds.
  if ! build-fuzz/${target}_fuzz -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/$target/ \
    build-fuzz/corpus/$target tests/fuzz/corpus/$target >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "== $target: FAILED (see $log); a crashing input is kept in build-fuzz/artifacts/$target/" >&2
    return 1
  fi
  # "Done N runs in S second(s)" ends a run that lasted its time.
  local last ran
  last=$(grep -E '^Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1 || true)
  ran=$(sed -E 's/^Done [0-9]+ runs in ([0-9]+) .*/\1/' <<<"${last:-Done 0 runs in 0 s}")
  if [ "$ran" -lt "$seconds" ]; then
    tail -n 20 "$log"
    echo "== $target: FAILED, stopped early: ${last:-no end of run}" >&2
    return 1
  fi
  echo "== $target: $last, $(awk '/^stat::average_exec_per_sec/ {print $2}' "$log") per second"
}

if [ "$mode" = "--all" ]; then
  failed=()
  for target in "${targets[@]}"; do fuzz "$target" || failed+=("$target"); done
  [ ${#failed[@]} -eq 0 ] || { echo "== fuzzing failed: ${failed[*]}" >&2; exit 1; }
  exit 0
fi

target=$mode
[[ " ${targets[*]} " == *" $target "* ]] || { echo "$usage" >&2; exit 2; }
fuzz "$target"
