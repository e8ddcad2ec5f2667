#!/usr/bin/env bash
# Every benchmark figure in one table, each against its reference measured in the same
# run on the same warm data (cat, cp + sync, ffmpeg, or the command-line tool), with the
# peak resident memory of our process. Prepares its data first: synthetic titles of
# ~250-sector VOBUs (about 2.2 GiB of disk, the 3 GiB title sparse) and a 10-minute NTSC
# title made by ffmpeg and dvdauthor.
# Usage: bench/table.sh [BUILD_DIR]   (after scripts/build.sh; RUNS=N for best of N, default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/src/cli/velmorin-cli
make=$build/bench/make_synthetic_title
data=${BENCH_DIR:-$build/bench-data}
runs=${RUNS:-3}

# ---- data
mkdir -p "$data/dense" "$data/sparse3g" "$data/maxgops" "$data/mute/source"
[[ -f $data/dense/VTS_01_2.VOB ]] || "$make" "$data/dense" 2 512
[[ -f $data/sparse3g/VTS_01_3.VOB ]] || "$make" "$data/sparse3g" 3 1024 --sparse
[[ -f $data/maxgops/VTS_01_1.VOB ]] || { "$make" "$data/maxgops" 1 256 --vobu 1 &&
  truncate -s $((131071 * 2048)) "$data/maxgops/VTS_01_1.VOB"; }
[[ -f $data/mute/source/VTS_01_1.VOB ]] || "$make" "$data/mute/source" 1 1024
bench/preview_bench.sh "$build" >/dev/null  # makes the 10-minute title once
title=$data/preview/disc/VIDEO_TS/VTS_01_1.VOB
dense=("$data"/dense/*.VOB)
sparse=("$data"/sparse3g/*.VOB)
maxgops=$data/maxgops/VTS_01_1.VOB
work=$data/mute/VTS_01_1.VOB
out=$data/table-out

# ---- measuring
# Wall-clock seconds of one run of "$@", output discarded; SETUP (a function name) runs
# before each run, untimed.
source bench/timing.sh
peak_mib() {  # peak resident memory of one run of "$@", in MiB
  "$SETUP"
  /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1 | xargs -I{} echo "scale=1; {} / 1024" | bc -l
}

rows=()
# row WHAT OURS_S REF_S REFERENCE_NAME TARGET_RATIO|- PEAK_MIB
row() {
  local ratio target="—"
  ratio=$(echo "$2 / $3" | bc -l | xargs printf '%.2f')
  if [[ $5 != - ]]; then
    target="≤ $5: met"
    (($(echo "$ratio > $5" | bc -l))) && target="≤ $5: NOT met"
  fi
  rows+=("| $1 | $2 s | $3 s ($4) | $ratio | $target | $6 MiB |")
}

cat "${dense[@]}" "$data/mute/source/VTS_01_1.VOB" "$title" >/dev/null  # warm the page cache

row "full scan, 1 GiB in 2 files" "$(best "$cli" scan --full "${dense[@]}")" "$(best cat "${dense[@]}")" \
  "cat" 1.25 "$(peak_mib "$cli" scan --full "${dense[@]}")"

row "fast scan, 1 GiB in 2 files" "$(best "$cli" scan "${dense[@]}")" "$(best "$cli" scan --full "${dense[@]}")" \
  "full scan of the same" - "$(peak_mib "$cli" scan "${dense[@]}")"
fast_3g=$(best "$cli" scan "${sparse[@]}")
fast_3g_peak=$(peak_mib "$cli" scan "${sparse[@]}")

gui=$build/bench/gui_scan
if [[ -x $gui ]]; then
  row "desktop program scan, 131,071 GOPs" "$(QT_QPA_PLATFORM=offscreen best "$gui" "$maxgops")" \
    "$(best "$cli" scan "$maxgops")" "velmorin-cli scan" 1.50 "$(QT_QPA_PLATFORM=offscreen peak_mib "$gui" "$maxgops")"
fi

fresh_copy() { cp "$data/mute/source/VTS_01_1.VOB" "$work"; rm -f "$out"; sync; }
cp_sync() { cp "$data/mute/source/VTS_01_1.VOB" "$out" && sync "$out"; }
SETUP=fresh_copy
gops=$(($("$cli" scan "$data/mute/source/VTS_01_1.VOB" | wc -l) - 1))
row "mute every GOP of 1 GiB ($gops GOPs)" "$(best "$cli" mute "$work" --pattern ---- --gops "1-$gops")" \
  "$(best cp_sync)" "cp + sync" 2.00 "$(peak_mib "$cli" mute "$work" --pattern ---- --gops "1-$gops")"

clear_out() { rm -f "$out"; sync; }
cat_copy() { cat "${dense[@]}" >"$out"; }
SETUP=clear_out
row "playback copy of a 1 GiB stretch" "$(best "$cli" extract "${dense[@]}" --gop 1 --count 100000 -o "$out")" \
  "$(best cat_copy)" "cat into one file" 1.25 \
  "$(peak_mib "$cli" extract "${dense[@]}" --gop 1 --count 100000 -o "$out")"
rm -f "$out"
SETUP=:

row "preview: first picture of every GOP, 10-minute NTSC title" "$(best "$build/bench/preview_bench" "$title")" \
  "$(best ffmpeg -nostdin -skip_frame nokey -i "$title" -f null -)" "ffmpeg -skip_frame nokey" 1.00 \
  "$(peak_mib "$build/bench/preview_bench" "$title")"

fresh_copy
one_mute=$("$build/bench/mute_one_gop" "$work" 500 | sed -n 's/.*median \([0-9.]*\) ms.*/\1/p')
one_preview=$("$build/bench/preview_bench" --one 100 "$title" | sed -n 's/.*median \([0-9.]*\) ms.*/\1/p')
rm -f "$work"

echo "Machine: $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB, $(. /etc/os-release && echo "$PRETTY_NAME"), $(date +%Y-%m-%d)"
echo
echo "| what | ours | reference | ours / reference (time) | target | peak memory |"
echo "|---|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
echo
echo "| what | figure (median unless said) | target |"
echo "|---|---|---|"
echo "| fast scan of 3 × 1 GiB (6,292 VOBUs; peak memory $fast_3g_peak MiB) | $fast_3g s (best of $runs) | well under 1 s |"
echo "| mute of one GOP, in-process, flushed to disk | $one_mute ms | under 10 ms |"
echo "| preview of one 720 × 480 GOP, request to image | $one_preview ms | under 10 ms |"
