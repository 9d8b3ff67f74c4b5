#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless; then builds and runs the whole
# suite again with AddressSanitizer and UndefinedBehaviorSanitizer (leak checking on), and runs
# the fuzzers for FUZZ_SECONDS each (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

tools/deps.sh

export QT_QPA_PLATFORM=offscreen

echo "== build and test"
tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build --output-on-failure -j2

echo "== build and test with sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
tools/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTIMER_SANITIZE=ON -DTIMER_BUILD_BENCH=OFF
ctest --test-dir build-asan --output-on-failure -j2

echo "== fuzz the file reader and the interval reader"
tools/fuzz "${FUZZ_SECONDS:-60}"

echo "== all tests passed"
