#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test: the unit and end-to-end
# tests, then the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, then
# a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== build and test"
scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)"

echo "== sanitizers (clang, address + undefined) and fuzz targets"
CC=clang CXX=clang++ scripts/build.sh build-asan \
  -DVELMORIN_SANITIZE=address,undefined -DVELMORIN_FUZZ=ON -DVELMORIN_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

scripts/fuzz.sh build-asan "${FUZZ_SECONDS:-60}"
