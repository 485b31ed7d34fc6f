#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole suite twice: in the normal build under
# a full-stop system locale (en_US.UTF-8) and under AddressSanitizer with UndefinedBehaviorSanitizer
# in a comma-decimal one (ru_RU.UTF-8), as most of the users run it; then the exchange tests once
# more under ThreadSanitizer, and the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

export QT_QPA_PLATFORM=offscreen

echo "== normal build, LC_ALL=en_US.UTF-8"
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build && LC_ALL=en_US.UTF-8 ctest --output-on-failure -j2 --timeout 300)

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build, LC_ALL=ru_RU.UTF-8"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DPORVEL_SANITIZE=ON -DPORVEL_BUILD_BENCH=OFF
# Leaks are reported for our code; the toolkit's one-time allocations are suppressed.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && LC_ALL=ru_RU.UTF-8 ctest --output-on-failure -j2 --timeout 600)

echo "== ThreadSanitizer build (exchange tests only)"
scripts/build.sh build-tsan -DCMAKE_BUILD_TYPE=Debug -DPORVEL_TSAN=ON -DPORVEL_BUILD_BENCH=OFF
TSAN_OPTIONS="halt_on_error=1" build-tsan/bin/porvel_exchange_tests

echo "== fuzz targets: seeds replayed, then each target fuzzed for 60 s (clang, libFuzzer)"
scripts/fuzz.sh --replay
scripts/fuzz.sh --all 60

echo "== all tests passed"
