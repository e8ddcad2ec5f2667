#!/usr/bin/env bash
# Builds the Windows package velmorin-windows-ARCH.zip into BUILD_DIR with MinGW-w64:
# velmorin.exe and velmorin-cli.exe (stripped), README.HTM, LOGO.BMP and README-WINDOWS.txt.
#   scripts/package-windows.sh BUILD_DIR [x86_64|i686] [CMAKE_ARGS...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:?usage: scripts/package-windows.sh BUILD_DIR [x86_64|i686] [CMAKE_ARGS...]}
arch=${2:-x86_64}
scripts/build-windows.sh "$@"
(cd "$dir" && cpack -G ZIP >/dev/null)
echo "$dir/velmorin-windows-$arch.zip"
