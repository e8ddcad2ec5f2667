#!/usr/bin/env bash
# Word placement benchmark: velmorin-cli mute --srt --words --dry-run on a 10-minute speech
# title (scripts/make-speech-titles.sh with SPEECH_TITLE_MINUTES=10: stereo AC-3 and LPCM,
# 40 cues holding a listed word among 108): the whole run (files read, title scanned and
# mapped, each matching cue's sound decoded and aligned, spans planned), its CPU time per
# minute of sound aligned, and its peak memory; the same with --whole-cues (nothing
# aligned) beside it.
# Usage: bench/speech_bench.sh [BUILD_DIR]   (a build with the tests and the speech
# library; RUNS=N, default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/src/cli/velmorin-cli
data=${BENCH_DIR:-$build/bench-data}
runs=${RUNS:-5}
source bench/timing.sh

title=$data/speech10
SPEECH_TITLE_MINUTES=10 SPEAK_WORDS=$build/tests/e2e/speech/speak_words \
  scripts/make-speech-titles.sh "$title" >/dev/null
# The title is read from the disk, as a title made earlier is.
cat "$title"/stereo/VIDEO_TS/VTS_01_*.VOB >/dev/null

mute=("$cli" mute --vtsi "$title/stereo/VIDEO_TS/VTS_01_0.IFO" --srt "$title/stereo/cues.srt"
  --words "$title/stereo/words.txt" --dry-run)

# Minutes of sound aligned: each English cue holding a listed word, widened by half a
# second on each side (as placement takes it), merged.
aligned=$(python3 - "$title/stereo/truth.json" <<'PY'
import json, sys
cues = json.load(open(sys.argv[1]))["cues"]
spans = sorted((c["start"] - 0.5, c["end"] + 0.5) for c in cues
               if c["listed"] and c["language"] == "en")
total, end = 0.0, float("-inf")
for a, b in spans:
    total += max(0.0, b - max(a, end))
    end = max(end, b)
print(f"{total / 60:.3f}")
PY
)

# figures CMD...: "SECONDS CPU_SECONDS PEAK_KIB" of one run.
figures() {
  /usr/bin/time -f '%e %U %S %M' "$@" 2>&1 >/dev/null | tail -1 |
    awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }'
}

echo "title: 10 minutes, $(grep -c -- '-->' "$title/stereo/cues.srt") cues," \
  "$(python3 -c 'import json,sys; print(sum(1 for c in json.load(open(sys.argv[1]))["cues"] if c["listed"]))' \
    "$title/stereo/truth.json") holding a listed word; $aligned minutes of sound to align"
t=$(best "${mute[@]}")
read -r _ cpu peak <<<"$(figures "${mute[@]}")"
echo "mute --srt --words --dry-run, whole run: $t s (best of $runs); CPU $cpu s," \
  "$(echo "$cpu / $aligned" | bc -l | xargs printf '%.2f') CPU s per minute aligned;" \
  "peak memory $(echo "$peak / 1024" | bc -l | xargs printf '%.1f') MiB"
if "$cli" mute --help 2>&1 | grep -q -- --whole-cues; then
  t=$(best "${mute[@]}" --whole-cues)
  read -r _ cpu peak <<<"$(figures "${mute[@]}" --whole-cues)"
  echo "the same with --whole-cues: $t s; CPU $cpu s;" \
    "peak memory $(echo "$peak / 1024" | bc -l | xargs printf '%.1f') MiB"
fi
