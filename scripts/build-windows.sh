#!/usr/bin/env bash
# Cross-builds the Windows programs with MinGW-w64 into BUILD_DIR: the core,
# velmorin.exe, velmorin-cli.exe, the package's files and the unit tests (GoogleTest built
# from source).
# ctest in BUILD_DIR runs the unit tests under Wine where Wine can run the architecture
# (cmake/mingw-w64.cmake); scripts/package-windows.sh makes the ZIP package.
#   scripts/build-windows.sh BUILD_DIR [x86_64|i686] [CMAKE_ARGS...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:?usage: scripts/build-windows.sh BUILD_DIR [x86_64|i686] [CMAKE_ARGS...]}
arch=${2:-x86_64}
shift $(($# < 2 ? $# : 2))
case $arch in
  x86_64 | i686) ;;
  *) echo "build-windows.sh: the architecture is x86_64 or i686, not $arch" >&2; exit 2 ;;
esac
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DVELMORIN_WINDOWS_ARCH="$arch" \
  -DVELMORIN_GTEST_SOURCE_DIR=/usr/src/googletest -DVELMORIN_BUILD_TESTS=ON \
  -DVELMORIN_BUILD_E2E=OFF -DVELMORIN_BUILD_BENCH=OFF -DVELMORIN_BUILD_GUI=OFF "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
