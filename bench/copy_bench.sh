#!/usr/bin/env bash
# Copy benchmark: a 1 GiB stretch (two synthetic files of 512 MiB, warm) copied by
# `velmorin-cli extract`, which uses the working-file copy of playback, against `cat` of
# the same two files into one file. Best of 3 each; outputs removed and synced between.
# Usage: bench/copy_bench.sh [BUILD_DIR]   (after scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/src/cli/velmorin-cli
data=${BENCH_DIR:-$build/bench-data}
mkdir -p "$data/dense"
[[ -f $data/dense/VTS_01_2.VOB ]] || "$build/bench/make_synthetic_title" "$data/dense" 2 512
files=("$data"/dense/VTS_01_1.VOB "$data"/dense/VTS_01_2.VOB)
out=$data/copy-out.mpg
cat "${files[@]}" >/dev/null

best() {
  local best_t=999999 t0 t1 t
  for _ in 1 2 3; do
    rm -f "$out"; sync
    t0=$(date +%s.%N); "$@"; t1=$(date +%s.%N)
    t=$(echo "$t1 - $t0" | bc -l)
    if (($(echo "$t < $best_t" | bc -l))); then best_t=$t; fi
  done
  printf '%.3f' "$best_t"
}
copy_with_cat() { cat "${files[@]}" >"$out"; }

t_cat=$(best copy_with_cat)
t_extract=$(best "$cli" extract "${files[@]}" --gop 1 --count 100000 -o "$out")
size=$(stat -c %s "$out")
rm -f "$out"
echo "1 GiB stretch ($size bytes): cat $t_cat s, velmorin-cli extract $t_extract s" \
  "($(echo "$t_cat / $t_extract * 100" | bc -l | xargs printf '%.0f')% of cat's throughput)"
