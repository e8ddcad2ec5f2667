#!/usr/bin/env bash
# The Windows build's velmorin-cli.exe under Wine against the Linux build's velmorin-cli,
# side by side on the same warm synthetic title: a full and a fast scan of 1 GiB in two
# files, printing the GOP list and (project --save) not printing it, and a mute of every
# GOP of a 1 GiB file (each run on a fresh copy). Wine's own
# start-up (wine64 velmorin-cli.exe --help, with the wineserver already running) is
# measured apart and also taken off the Wine figures. Best of RUNS runs (default 3).
# Usage: bench/wine_bench.sh [BUILD_DIR] [WINDOWS_BUILD_DIR]
#   (after scripts/build.sh and scripts/build-windows.sh build-win64)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
windows=${2:-build-win64}
cli=$build/src/cli/velmorin-cli
exe=$PWD/$windows/src/cli/velmorin-cli.exe
wine=${WINE:-/usr/lib/wine/wine64}
data=${BENCH_DIR:-$build/bench-data}
runs=${RUNS:-3}

# ---- data: the titles of bench/table.sh
mkdir -p "$data/dense" "$data/mute/source"
[[ -f $data/dense/VTS_01_2.VOB ]] || "$build/bench/make_synthetic_title" "$data/dense" 2 512
[[ -f $data/mute/source/VTS_01_1.VOB ]] ||
  "$build/bench/make_synthetic_title" "$data/mute/source" 1 1024
dense=("$PWD/$data"/dense/*.VOB)
source=$PWD/$data/mute/source/VTS_01_1.VOB
work=$PWD/$data/mute/VTS_01_1.VOB
project=$PWD/$data/wine-bench.prj
# Output goes to a file: Windows' C library takes a character device such as /dev/null for
# a console and writes to it unbuffered, asking Wine for the console mode at every byte.
out=$PWD/$data/wine-bench.out

# ---- Wine: one session for every run, stopped however the script ends
prefix=$PWD/$windows/wineprefix
scripts/wine-session.sh start "$prefix" "$wine"
trap 'scripts/wine-session.sh stop "$prefix" "$wine"; rm -f "$work" "$project" "$out"' EXIT
export WINEPREFIX=$prefix WINEDEBUG=-all
onwine() { "$wine" "$exe" "$@"; }

# ---- measuring: wall-clock seconds; SETUP (a function name) runs untimed before each run
TIMED_OUTPUT=$out
source bench/timing.sh

startup=$(best onwine --help)
rows=()
# row WHAT LINUX_S WINE_S: the ratio, and the ratio with Wine's start-up taken off
row() {
  local ratio net
  ratio=$(echo "$3 / $2" | bc -l | xargs printf '%.2f')
  net=$(echo "($3 - $startup) / $2" | bc -l | xargs printf '%.2f')
  local verdict="met"
  # Wine's start-up is counted apart: the target is for the work itself.
  (($(echo "$net > 1.5" | bc -l))) && verdict="NOT met"
  rows+=("| $1 | $2 s | $3 s | $ratio | $net | ≤ 1.50: $verdict |")
}

cat "${dense[@]}" "$source" >/dev/null  # warm the page cache
row "full scan, 1 GiB in 2 files" "$(best "$cli" scan --full "${dense[@]}")" \
  "$(best onwine scan --full "${dense[@]}")"
row "fast scan, 1 GiB in 2 files" "$(best "$cli" scan "${dense[@]}")" \
  "$(best onwine scan "${dense[@]}")"
row "full scan, list not printed (project --save)" \
  "$(best "$cli" project --full "${dense[@]}" --save "$project")" \
  "$(best onwine project --full "${dense[@]}" --save "$project")"
row "fast scan, list not printed (project --save)" \
  "$(best "$cli" project "${dense[@]}" --save "$project")" \
  "$(best onwine project "${dense[@]}" --save "$project")"
fresh_copy() { cp "$source" "$work"; sync; }
gops=$(($("$cli" scan "$source" | wc -l) - 1))
SETUP=fresh_copy
row "mute every GOP of 1 GiB ($gops GOPs)" "$(best "$cli" mute "$work" --pattern ---- --gops "1-$gops")" \
  "$(best onwine mute "$work" --pattern ---- --gops "1-$gops")"
SETUP=:

echo "Machine: $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB, $(. /etc/os-release && echo "$PRETTY_NAME"), $("$wine" --version), $(date +%Y-%m-%d)"
echo
echo "Wine start-up (wine64 velmorin-cli.exe --help, wineserver running): $startup s"
echo
echo "| what | Linux | Wine | Wine / Linux | Wine less start-up / Linux | target |"
echo "|---|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
