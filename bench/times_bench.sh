#!/usr/bin/env bash
# Title-time benchmarks:
#  1. velmorin-cli times (scan, then every GOP's navigation pack and audio packet headers)
#     against velmorin-cli scan --full on the same warm 1 GiB synthetic title, just written
#     and read from the disk;
#  2. the same pair on a 10-minute NTSC title with AC-3 audio made by ffmpeg and dvdauthor,
#     timed by its program chain (--vtsi), read from the disk;
#  3. planning 2,000 spans of 1.5 s on that title's map (span_plan_bench);
#  4. velmorin-cli mute --srt --words --whole-cues --dry-run on that title with a SubRip file of 2,000
#     cues (one in two holds a word of the list): the whole run, files read, title
#     scanned and mapped, spans planned.
# Usage: bench/times_bench.sh [BUILD_DIR]   (after scripts/build.sh; RUNS=N, default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/src/cli/velmorin-cli
make=$build/bench/make_synthetic_title
data=${BENCH_DIR:-$build/bench-data}
runs=${RUNS:-5}
source bench/timing.sh

mkdir -p "$data/dense" "$data/timed"
[[ -f $data/dense/VTS_01_2.VOB ]] || "$make" "$data/dense" 2 512
vts=$data/timed/disc/VIDEO_TS
if [[ ! -f $vts/VTS_01_1.VOB ]]; then
  rm -rf "$data/timed/disc"
  ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=size=720x480:rate=30000/1001:duration=600" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=600" \
    -target ntsc-dvd -aspect 4:3 -b:a 192k -ac 2 "$data/timed/title.mpg"
  VIDEO_FORMAT=NTSC dvdauthor -o "$data/timed/disc" -t "$data/timed/title.mpg" >/dev/null 2>&1
  VIDEO_FORMAT=NTSC dvdauthor -o "$data/timed/disc" -T >/dev/null 2>&1
  rm -f "$data/timed/title.mpg"
fi

dense=("$data"/dense/*.VOB)
peak_mib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1 | xargs -I{} echo "scale=1; {} / 1024" | bc -l; }

# How the system's cache holds a title decides whether mapping it beats reading it, so the
# pair is timed with the title in two states:
#  - read from the disk (the usual state of a title made earlier): the files are dropped
#    from the cache, then read back in, which fills it in large pages;
#  - just written 4 KiB at a time (as the synthetic title is made): small pages.
from_disk() {
  python3 -c 'import os, sys
for p in sys.argv[1:]:
    fd = os.open(p, os.O_RDONLY); os.fsync(fd); os.posix_fadvise(fd, 0, 0, os.POSIX_FADV_DONTNEED); os.close(fd)' "$@"
  cat "$@" >/dev/null
}
written_in_small_steps() {
  local f
  for f in "$@"; do dd if="$f" of="$f.new" bs=4k status=none && mv "$f.new" "$f"; done
}
pair() {  # LABEL SOURCE...
  local label=$1 t_times t_full
  shift
  t_times=$(best "$cli" times "$@")
  t_full=$(best "$cli" scan --full "$@")
  echo "$label: times $t_times s, scan --full $t_full s," \
    "ratio $(echo "$t_times / $t_full" | bc -l | xargs printf '%.2f')"
}

written_in_small_steps "${dense[@]}"
pair "1 GiB in 2 files, just written 4 KiB at a time" "${dense[@]}"
from_disk "${dense[@]}"
pair "1 GiB in 2 files, read from the disk" "${dense[@]}"
echo "times peak memory: $(peak_mib "$cli" times "${dense[@]}") MiB"
from_disk "$vts"/VTS_01_*.VOB
pair "10-minute NTSC title with AC-3 (--vtsi), read from the disk" --vtsi "$vts/VTS_01_0.IFO"

"$build/bench/span_plan_bench" 2000 "$vts"/VTS_01_*.VOB

# 2,000 cues of 1.2 s every 0.3 s (overlapping, as karaoke-style files do), with CRLF.
srt=$data/timed/cues.srt
python3 - "$srt" "$data/timed/words.txt" <<'PY'
import sys
def t(ms): return f"{ms // 3600000:02}:{ms // 60000 % 60:02}:{ms // 1000 % 60:02},{ms % 1000:03}"
with open(sys.argv[1], "w", newline="") as f:
    for i in range(2000):
        text = "well damn it" if i % 2 else "nothing to hear"
        f.write(f"{i + 1}\r\n{t(1000 + 290 * i)} --> {t(2200 + 290 * i)}\r\n{text}\r\n\r\n")
with open(sys.argv[2], "w") as f:
    f.write("damn\nblast\n")
PY
t_srt=$(best "$cli" mute --vtsi "$vts/VTS_01_0.IFO" --srt "$srt" --words "$data/timed/words.txt" --whole-cues --dry-run)
echo "mute --srt with 2,000 cues, --dry-run, whole run: $t_srt s" \
  "($("$cli" mute --vtsi "$vts/VTS_01_0.IFO" --srt "$srt" --words "$data/timed/words.txt" --whole-cues \
      --dry-run | wc -l) GOPs planned)"
