#!/usr/bin/env bash
# Builds the Windows package velmorin-windows-ARCH.zip into BUILD_DIR with MinGW-w64:
# velmorin.exe and velmorin-cli.exe (stripped), README.HTM, LOGO.BMP and README-WINDOWS.txt;
# for x86_64 also the installer velmorin-windows-x86_64-setup.exe beside it.
#   scripts/package-windows.sh BUILD_DIR [x86_64|i686] [CMAKE_ARGS...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:?usage: scripts/package-windows.sh BUILD_DIR [x86_64|i686] [CMAKE_ARGS...]}
arch=${2:-x86_64}
scripts/build-windows.sh "$@"
(cd "$dir" && cpack -G ZIP >/dev/null)
echo "$dir/velmorin-windows-$arch.zip"
# The installer, for x86_64 only, from the same files.
[[ $arch == x86_64 ]] || exit 0
if command -v makensis >/dev/null; then
  scripts/make-windows-installer.sh "$dir"
else
  echo "package-windows.sh: no installer: makensis is missing (Debian package nsis)" >&2
fi
