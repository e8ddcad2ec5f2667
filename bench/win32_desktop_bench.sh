#!/usr/bin/env bash
# velmorin.exe under Wine, driven through its windows in a virtual desktop on Xvfb: its
# start-up until the main window shows, and a scan of the 131,071-GOP title through the
# source dialog into the list box, against velmorin-cli.exe scan of the same file with its
# output to a file. Best of RUNS runs (default 5).
# Usage: bench/win32_desktop_bench.sh [BUILD_DIR] [WINDOWS_BUILD_DIR]
#   (after scripts/build.sh and scripts/build-windows.sh build-win64)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
windows=$(realpath "${2:-build-win64}")
wine=${WINE:-/usr/lib/wine/wine64}
data=$(realpath -m "${BENCH_DIR:-$build/bench-data}")
mkdir -p "$data/maxgops"
[[ -f $data/maxgops/VTS_01_1.VOB ]] || { "$build/bench/make_synthetic_title" "$data/maxgops" 1 256 --vobu 1 &&
  truncate -s $((131071 * 2048)) "$data/maxgops/VTS_01_1.VOB"; }
cat "$data/maxgops/VTS_01_1.VOB" >/dev/null  # warm the page cache

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$windows/src/win32/velmorin.exe" "$windows/src/cli/velmorin-cli.exe" "$windows/LOGO.BMP" "$work/"
windows_path() { echo "Z:${1//\//\\}"; }
export WINEPREFIX=$work/prefix WINEDEBUG=-all LC_ALL=C.UTF-8
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  scripts/wine-session.sh start "$WINEPREFIX" "$0"
  status=0
  timeout 900 "$0" explorer /desktop=bench,1152x864 "$1" "$2" "$3" "${RUNS:-5}" || status=$?
  scripts/wine-session.sh stop "$WINEPREFIX" "$0"
  exit $status' "$wine" "$(windows_path "$windows/tests/win32/desktop_bench.exe")" \
  "$(windows_path "$work")" "$(windows_path "$data/maxgops")"
