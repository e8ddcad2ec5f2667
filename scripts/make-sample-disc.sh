#!/usr/bin/env bash
# Build a small, deterministic DVD-Video title set for tests.
#
#   scripts/make-sample-disc.sh OUTDIR
#
# Result: OUTDIR/VIDEO_TS/ with VIDEO_TS.IFO (title table) and title set 1
# holding two titles (two program chains):
#   title 1: 25 s, chapters at 0, 5, 10, 18 s
#   title 2: 15 s, chapters at 0, 7 s
# The title set's VOB data is split into VTS_01_1.VOB and VTS_01_2.VOB at a
# sector S near the middle that lies strictly inside a VOBU (the sector at S is
# not a navigation pack), so one VOBU crosses the file boundary. The IFO files
# are untouched: their sector addresses count across the whole VOB set.
#
# Needs ffmpeg and dvdauthor. Cached: exits at once if OUTDIR/.complete exists.
set -euo pipefail

MAKER=make-sample-disc
source "$(dirname -- "$0")/disc-maker.sh"

# encode NAME SECONDS TONE_HZ  (-target ntsc-dvd: MPEG-2 video, AC-3 audio)
encode() {
  run ffmpeg -nostdin -hide_banner -nostats -y -threads 1 \
    -f lavfi -i "testsrc2=size=720x480:rate=30000/1001:duration=$2" \
    -f lavfi -i "sine=frequency=$3:sample_rate=48000:duration=$2" \
    -target ntsc-dvd -aspect 4:3 -b:a 192k -ac 2 \
    -threads 1 -fflags +bitexact -flags:v +bitexact -flags:a +bitexact \
    "$tmp/$1.mpg"
}
encode title1 25 440
encode title2 15 660

cat >"$tmp/disc.xml" <<XML
<dvdauthor dest="$tmp/disc">
  <vmgm />
  <titleset>
    <titles>
      <video format="ntsc" aspect="4:3" />
      <audio format="ac3" lang="en" />
      <pgc>
        <vob file="$tmp/title1.mpg" chapters="0,0:05,0:10,0:18" />
      </pgc>
      <pgc>
        <vob file="$tmp/title2.mpg" chapters="0,0:07" />
      </pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
VIDEO_FORMAT=NTSC run dvdauthor -x "$tmp/disc.xml"

vts=$tmp/disc/VIDEO_TS
if ! [[ -f $vts/VIDEO_TS.IFO && -f $vts/VTS_01_0.IFO && -f $vts/VTS_01_1.VOB ]]; then
  cat -- "$log" >&2
  die "dvdauthor did not write the expected files (log above)"
fi
# 40 s of video is far below dvdauthor's 1 GiB part size, so there is one part.
[[ ! -e $vts/VTS_01_2.VOB ]] ||
  die "dvdauthor already wrote several VOB parts; this sample expects one"

split=$(split_vob "$vts")

# Keep only the disc and the log.
mkdir -- "$tmp/final"
mv -- "$vts" "$tmp/final/VIDEO_TS"
echo "$split" >"$tmp/final/split-sector"
publish "$tmp/final"
echo "sample disc ready in $out (VOB split at sector $split)"
