#!/usr/bin/env bash
# Build small DVD-Video title sets whose every audio stream is a continuous tone, so that
# decoding shows exactly where audio was silenced.
#
#   scripts/make-tone-titles.sh OUTDIR
#
# Each title set has one title with three audio streams in private stream 1: AC-3 (0x80,
# 440 Hz), DTS (0x89, 550 Hz) and LPCM (0xA2, 660 Hz), all 48 kHz stereo, under small,
# low-bitrate video:
#   OUTDIR/ntsc/VIDEO_TS  NTSC 352x240, 29.97 fps, from two source files of 4 s and 3 s:
#                         two VOB IDs whose time stamps both start near 0.53 s, so the
#                         time stamps restart 4 s into the title; four cells and chapters
#                         (near 0, 2, 4 and 5.5 s, each at a GOP start); the VOB data split
#                         into VTS_01_1.VOB and VTS_01_2.VOB at a sector inside a VOBU
#                         (its number in OUTDIR/ntsc/split-sector).
#   OUTDIR/pal/VIDEO_TS   PAL 352x288, 25 fps, one source file of 4 s, two chapters.
# dvdauthor warns that DTS packets carry sync words without a time stamp; ffmpeg and
# libdvdread read the result without complaint.
#
# Needs ffmpeg (with its experimental DTS encoder), dvdauthor and python3. Cached: exits
# at once if OUTDIR/.complete exists.
set -euo pipefail

MAKER=make-tone-titles
source "$(dirname -- "$0")/disc-maker.sh"

# encode NAME SECONDS SIZE RATE GOP: one program stream in DVD packing with the three tones.
encode() {
  local tone=()
  for hz in 440 550 660; do
    tone+=(-f lavfi -i "sine=frequency=$hz:sample_rate=48000:duration=$2")
  done
  run ffmpeg -nostdin -hide_banner -nostats -y -threads 1 \
    -f lavfi -i "testsrc2=size=$3:rate=$4:duration=$2" "${tone[@]}" \
    -map 0:v -map 1:a -map 2:a -map 3:a \
    -c:v mpeg2video -b:v 300k -maxrate 9000k -bufsize 1835k -g "$5" -bf 2 \
    -pix_fmt yuv420p -aspect 4:3 -ac 2 \
    -c:a:0 ac3 -b:a:0 128k \
    -c:a:1 dca -strict -2 -b:a:1 768k \
    -c:a:2 pcm_s16be \
    -f dvd -muxrate 10080000 -packetsize 2048 \
    -fflags +bitexact -flags:v +bitexact -flags:a +bitexact \
    "$tmp/$1.mpg"
}

# author FORMAT VOB_ELEMENTS: one title set with one title into $tmp/FORMAT.
author() {
  cat >"$tmp/$1.xml" <<XML
<dvdauthor dest="$tmp/$1">
  <vmgm />
  <titleset>
    <titles>
      <video format="$1" aspect="4:3" />
      <audio format="ac3" channels="2" lang="en" />
      <audio format="dts" channels="2" lang="en" />
      <audio format="pcm" channels="2" lang="en" />
      <pgc>
        $2
      </pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
  VIDEO_FORMAT=${1^^} run dvdauthor -x "$tmp/$1.xml"
  [[ -f $tmp/$1/VIDEO_TS/VTS_01_0.IFO && -f $tmp/$1/VIDEO_TS/VTS_01_1.VOB ]] ||
    { cat -- "$log" >&2; die "dvdauthor did not write the $1 title set (log above)"; }
  [[ ! -e $tmp/$1/VIDEO_TS/VTS_01_2.VOB ]] || die "dvdauthor already split the $1 VOB data"
}

encode ntsc_a 4 352x240 30000/1001 15
encode ntsc_b 3 352x240 30000/1001 15
encode pal 4 352x288 25 12
# The DTS and LPCM streams are the title set's second and third: 0x89 and 0xA2.
for f in ntsc_a ntsc_b pal; do renumber_audio "$tmp/$f.mpg" 0x88=0x89 0xA0=0xA2; done

author ntsc "<vob file=\"$tmp/ntsc_a.mpg\" chapters=\"0,0:02\" />
        <vob file=\"$tmp/ntsc_b.mpg\" chapters=\"0,0:01.5\" />"
author pal "<vob file=\"$tmp/pal.mpg\" chapters=\"0,0:02\" />"

mkdir -- "$tmp/final"
split_vob "$tmp/ntsc/VIDEO_TS" >"$tmp/final/ntsc-split-sector"
for f in ntsc pal; do
  mkdir -- "$tmp/final/$f"
  mv -- "$tmp/$f/VIDEO_TS" "$tmp/final/$f/VIDEO_TS"
done
mv -- "$tmp/final/ntsc-split-sector" "$tmp/final/ntsc/split-sector"
publish "$tmp/final"

echo "tone titles ready in $out (NTSC VOB split at sector $(cat -- "$out/ntsc/split-sector"))"
