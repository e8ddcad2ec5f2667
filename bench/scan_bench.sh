#!/usr/bin/env bash
# Scan benchmarks, on synthetic titles written to BENCH_DIR (default build/bench-data):
#  1. the full reader against `cat FILES > /dev/null` on the same warm files;
#  2. the fast reader on 3 files x 1 GiB (sparse: only what it reads is written), and on
#     3 x 256 MiB, to show its cost follows the number of VOBUs, not bytes;
#  3. peak resident memory of velmorin-cli scan.
# Usage: bench/scan_bench.sh [BUILD_DIR]   (after scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/src/cli/velmorin-cli
make=$build/bench/make_synthetic_title
data=${BENCH_DIR:-$build/bench-data}
runs=${RUNS:-5}

# Best wall-clock time of $runs runs, in seconds.
best() {
  local best_t=999999 t0 t1 t
  for ((i = 0; i < runs; i++)); do
    t0=$(date +%s.%N)
    "$@" >/dev/null
    t1=$(date +%s.%N)
    t=$(echo "$t1 - $t0" | bc -l)
    if (($(echo "$t < $best_t" | bc -l))); then best_t=$t; fi
  done
  printf '%.4f' "$best_t"
}

peak_kib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

mkdir -p "$data/dense" "$data/sparse3g" "$data/sparse768m" "$data/maxgops"
[[ -f $data/dense/VTS_01_2.VOB ]] || "$make" "$data/dense" 2 512
[[ -f $data/sparse3g/VTS_01_3.VOB ]] || "$make" "$data/sparse3g" 3 1024 --sparse
[[ -f $data/sparse768m/VTS_01_3.VOB ]] || "$make" "$data/sparse768m" 3 256 --sparse
# 131,071 one-sector VOBUs: the largest GOP table and list there can be.
[[ -f $data/maxgops/VTS_01_1.VOB ]] || { "$make" "$data/maxgops" 1 256 --vobu 1 &&
  truncate -s $((131071 * 2048)) "$data/maxgops/VTS_01_1.VOB"; }

dense=("$data"/dense/*.VOB)
cat "${dense[@]}" >/dev/null  # warm the page cache
t_cat=$(best cat "${dense[@]}")
t_full=$(best "$cli" scan --full "${dense[@]}")
bytes=$(cat "${dense[@]}" | wc -c)
echo "full reader, 1 GiB warm: cat $t_cat s, velmorin-cli scan --full $t_full s," \
  "throughput $(echo "$t_cat / $t_full * 100" | bc -l | xargs printf '%.0f')% of cat" \
  "($(echo "$bytes / $t_full / 1048576" | bc -l | xargs printf '%.0f') MiB/s)"

big=("$data"/sparse3g/*.VOB)
small=("$data"/sparse768m/*.VOB)
"$cli" scan "${big[@]}" >/dev/null
t_big=$(best "$cli" scan "${big[@]}")
t_small=$(best "$cli" scan "${small[@]}")
gops_big=$(("$("$cli" scan "${big[@]}" | wc -l)" - 1))
gops_small=$(("$("$cli" scan "${small[@]}" | wc -l)" - 1))
echo "fast reader, 3 x 1 GiB ($gops_big VOBUs): $t_big s; 3 x 256 MiB ($gops_small VOBUs): $t_small s"

echo "peak resident memory: scan --full 1 GiB $(peak_kib "$cli" scan --full "${dense[@]}") KiB," \
  "fast scan 3 GiB $(peak_kib "$cli" scan "${big[@]}") KiB," \
  "131,071 GOPs $(peak_kib "$cli" scan "$data"/maxgops/VTS_01_1.VOB) KiB"
