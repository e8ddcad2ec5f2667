#!/usr/bin/env bash
# Installs what the tests need, checks the sources' layout, builds with warnings as
# errors, and runs every test: the unit and end-to-end tests, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then a short run of each fuzz target,
# then the unit tests of a 32-bit build. Ends with one summary line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== source format"
scripts/check-format.sh

# Warnings stop these builds (a plain build only reports them).
strict=(-DVELMORIN_WERROR=ON)

passed=0
# Runs ctest on a build folder and adds its count of passed tests.
run_ctest() {
  local log
  log=$(mktemp)
  ctest --test-dir "$1" --output-on-failure -j "$(nproc)" | tee "$log"
  passed=$((passed + $(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")))
  rm -f "$log"
}

echo "== build and test"
scripts/build.sh build "${strict[@]}"
run_ctest build

echo "== sanitizers (clang, address + undefined) and fuzz targets"
CC=clang CXX=clang++ scripts/build.sh build-asan "${strict[@]}" \
  -DVELMORIN_SANITIZE=address,undefined -DVELMORIN_FUZZ=ON -DVELMORIN_BUILD_BENCH=OFF -DVELMORIN_BUILD_GUI=OFF
run_ctest build-asan

fuzz_log=$(mktemp)
scripts/fuzz.sh build-asan "${FUZZ_SECONDS:-60}" | tee "$fuzz_log"
fuzzers=$(grep -c 'no crash' "$fuzz_log")
rm -f "$fuzz_log"

# The program's first platform is 32-bit: the core, the command-line tool and the unit
# tests built with -m32 keep offsets past 2 GiB and 32-bit arithmetic honest there.
echo "== 32-bit build (g++ -m32) and unit tests"
CC=gcc CXX=g++ scripts/build.sh build-m32 "${strict[@]}" -DCMAKE_TOOLCHAIN_FILE=cmake/m32.cmake \
  -DVELMORIN_GTEST_SOURCE_DIR=/usr/src/googletest \
  -DVELMORIN_BUILD_E2E=OFF -DVELMORIN_BUILD_BENCH=OFF -DVELMORIN_BUILD_GUI=OFF
run_ctest build-m32

echo "all tests: $((passed + fuzzers)) passed, 0 failed"
