#!/usr/bin/env bash
# Preview decoder benchmarks on a 10-minute NTSC title made by ffmpeg and dvdauthor
# (720 × 480, video only, about 1,000 GOPs):
#  1. the first picture of every GOP, whole process (`preview_bench`, which scans the title
#     and decodes each GOP once), against `ffmpeg -skip_frame nokey -i TITLE -f null -`,
#     which decodes the same I pictures; best of 3 each, warm page cache;
#  2. one GOP decoded again and again, from request to image, warm.
# Usage: bench/preview_bench.sh [BUILD_DIR]   (after scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bench=$build/bench/preview_bench
data=${BENCH_DIR:-$build/bench-data}/preview
mkdir -p "$data"
title=$data/disc/VIDEO_TS/VTS_01_1.VOB
if [[ ! -f $title ]]; then
  rm -rf "$data/disc"
  ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=720x480:rate=30000/1001:duration=600" \
    -an -target ntsc-dvd -aspect 4:3 "$data/title.mpg"
  VIDEO_FORMAT=NTSC dvdauthor -o "$data/disc" -t "$data/title.mpg" >/dev/null 2>&1
  VIDEO_FORMAT=NTSC dvdauthor -o "$data/disc" -T >/dev/null 2>&1
  rm -f "$data/title.mpg" "$data/VTS_01_1.VOB"
fi
cat "$title" >/dev/null

best() {  # best wall-clock seconds of 3 runs of "$@"
  local best=999
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s.%N); "$@" >/dev/null 2>&1; t1=$(date +%s.%N)
    best=$(echo "if ($t1 - $t0 < $best) $t1 - $t0 else $best" | bc -l)
  done
  printf '%.3f' "$best"
}

"$bench" "$title"
ours=$(best "$bench" "$title")
theirs=$(best ffmpeg -nostdin -skip_frame nokey -i "$title" -f null -)
echo "first picture of every GOP: preview_bench $ours s, ffmpeg -skip_frame nokey $theirs s"
"$bench" --one 100 "$title"
