#!/usr/bin/env bash
# Mute benchmarks on a copy of a synthetic 1 GiB file (VOBUs of ~250 sectors, every
# eighth pack AC-3 audio):
#  1. one GOP, in-process and warm: read, rewrite, write back, flush to disk;
#  2. every GOP of the file with `velmorin-cli mute --gops`, against `cp` of the same file
#     followed by `sync` of the copy: both then have their bytes on the disk.
# Usage: bench/mute_bench.sh [BUILD_DIR]   (after scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/src/cli/velmorin-cli
data=${BENCH_DIR:-$build/bench-data}/mute
mkdir -p "$data"
[[ -f $data/source/VTS_01_1.VOB ]] || { mkdir -p "$data/source" &&
  "$build/bench/make_synthetic_title" "$data/source" 1 1024; }
src=$data/source/VTS_01_1.VOB
work=$data/VTS_01_1.VOB
cp "$src" "$work"
cat "$work" >/dev/null

"$build/bench/mute_one_gop" "$work" 500

gops=$(($("$cli" scan "$work" | wc -l) - 1))
rm -f "$data/copy.VOB"
sync
t0=$(date +%s.%N); cp "$work" "$data/copy.VOB"; sync "$data/copy.VOB"; t1=$(date +%s.%N)
"$cli" mute "$work" --pattern ---- --gops "1-$gops" >/dev/null
t2=$(date +%s.%N)
rm -f "$data/copy.VOB"
echo "all $gops GOPs of 1 GiB: cp + sync $(echo "$t1 - $t0" | bc -l | xargs printf '%.3f') s," \
  "velmorin-cli mute --gops $(echo "$t2 - $t1" | bc -l | xargs printf '%.3f') s" \
  "($(echo "($t1 - $t0) / ($t2 - $t1) * 100" | bc -l | xargs printf '%.0f')% of cp's throughput)"
