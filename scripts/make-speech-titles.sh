#!/usr/bin/env bash
# Build small DVD-Video title sets of English dialogue whose every word's time is known,
# so that tests can tell whether muting by word silenced the words and only them.
#
#   SPEAK_WORDS=build/tests/e2e/speech/speak_words scripts/make-speech-titles.sh OUTDIR
#
# speak_words (tests/e2e/speech) says the ten sentences of scripts/speech_dialogue.py with
# espeak-ng and reports each word's start and end; the sentences are laid out with pauses
# over a music bed of sine chords (sox, about 18 dB below the speech), under small
# NTSC MPEG-2 video (352x240, GOPs of 15 pictures), in two title sets of one title each:
#   OUTDIR/stereo/VIDEO_TS    AC-3 stereo (0x80) and 16-bit LPCM stereo (0xA1), speech
#                             and music in both channels
#   OUTDIR/surround/VIDEO_TS  AC-3 5.1 (0x80): speech in the centre channel only, music
#                             in the others (none in the LFE channel)
# Beside each VIDEO_TS: cues.srt (a cue a sentence, from 0.2-0.5 s before it to 1-1.5 s
# after it), words.txt (the listed words) and truth.json (every word's title time, each
# cue's listed words and how the tool should place them).
#
# With SPEECH_TITLE_MINUTES=N only the stereo title set is made, N minutes long, with
# four sentences a minute holding a listed word (for bench/).
#
# Title time runs from the first picture: a time stamp's title time is its distance from
# the first VOBU's start (VOBU_S_PTM). ffmpeg starts the pictures and the speech track
# together; the AC-3 encoder's packets start 256 samples (its priming) early. truth.json's
# "offset" is the title time of the speech track's first sample, from the VOB's time
# stamps.
#
# Needs ffmpeg, ffprobe, dvdauthor, sox, python3 and speak_words. Cached: exits at once if
# OUTDIR/.complete exists.
set -euo pipefail

MAKER=make-speech-titles
here=$(cd -- "$(dirname -- "$0")" && pwd)
source "$here/disc-maker.sh"

command -v sox >/dev/null || die "sox not found"
speak=${SPEAK_WORDS:-speak_words}
command -v -- "$speak" >/dev/null || die "speak_words not found (set SPEAK_WORDS)"
minutes=${SPEECH_TITLE_MINUTES:-}

dialogue() { run python3 "$here/speech_dialogue.py" "$@" ${minutes:+--minutes "$minutes"}; }

mkdir -- "$tmp/speech"
dialogue sentences "$tmp/speech/sentences.txt"
"$speak" "$tmp/speech/sentences.txt" "$tmp/speech" --rate 160 --word-gap 70 \
  >"$tmp/speech/words.json" 2>>"$log" || { cat -- "$log" >&2; die "speak_words failed"; }
dialogue compose "$tmp/speech" "$tmp"
seconds=$(soxi -D "$tmp/speech.wav")

# sox -R everywhere: sox dithers with a random seed, and the recogniser's placement of a
# word under the music bed can turn on that noise; the tests' titles are the same every
# time. The speech at 48 kHz, its peak 3 dB below full scale; the music bed: four chords of four
# seconds each, round and round, at -27 dB (peaks near -30 dBFS: loud enough that every
# audio frame of the title has sound, so that silencing shows).
run sox -R "$tmp/speech.wav" -r 48000 "$tmp/voice.wav" gain -n -3
chords=()
for chord in 220:261.63:329.63 174.61:220:261.63 261.63:329.63:392 196:246.94:293.66; do
  IFS=: read -r a b c <<<"$chord"
  run sox -R -n -r 48000 -c 1 "$tmp/chord-$a.wav" synth 4 sine "$a" sine mix "$b" sine mix "$c"
  chords+=("$tmp/chord-$a.wav")
done
bed=()
for ((i = 0; i * 4 < ${seconds%.*} + 4; i++)); do bed+=("${chords[i % 4]}"); done
run sox -R "${bed[@]}" "$tmp/bed.wav" trim 0 "$seconds" vol -27dB
run sox -R -m -v 1 "|sox -R $tmp/voice.wav -p remix 1 1" -v 1 "|sox -R $tmp/bed.wav -p remix 1 1" \
  "$tmp/stereo.wav"
if [[ -z $minutes ]]; then
  # Front left and right, centre, LFE, back left and right, as a 6-channel WAV is read.
  run sox -R -n -r 48000 -c 1 "$tmp/quiet.wav" trim 0 "$seconds"
  run sox -R -M "$tmp/bed.wav" "$tmp/bed.wav" "$tmp/voice.wav" "$tmp/quiet.wav" \
    "$tmp/bed.wav" "$tmp/bed.wav" "$tmp/surround.wav"
fi

# encode NAME AUDIO_OPTIONS...: program stream in DVD packing, $tmp/NAME.wav as its sound.
encode() {
  local name=$1
  shift
  run ffmpeg -nostdin -hide_banner -nostats -y -threads 1 \
    -f lavfi -i "testsrc2=size=352x240:rate=30000/1001:duration=$seconds" \
    -i "$tmp/$name.wav" -i "$tmp/$name.wav" \
    -c:v mpeg2video -b:v 300k -maxrate 9000k -bufsize 1835k -g 15 -bf 2 \
    -pix_fmt yuv420p -aspect 4:3 "$@" \
    -f dvd -muxrate 10080000 -packetsize 2048 \
    -fflags +bitexact -flags:v +bitexact -flags:a +bitexact \
    "$tmp/$name.mpg"
}

# author NAME AUDIO_ELEMENTS: one title set with one title, chapters every 20 s.
author() {
  local chapters=0 t
  for ((t = 20; t < ${seconds%.*}; t += 20)); do chapters+=",$((t / 60)):$(printf %02d $((t % 60)))"; done
  cat >"$tmp/$1.xml" <<XML
<dvdauthor dest="$tmp/$1">
  <vmgm />
  <titleset>
    <titles>
      <video format="ntsc" aspect="4:3" />
      $2
      <pgc>
        <vob file="$tmp/$1.mpg" chapters="$chapters" />
      </pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
  VIDEO_FORMAT=NTSC run dvdauthor -x "$tmp/$1.xml"
  [[ -f $tmp/$1/VIDEO_TS/VTS_01_0.IFO && -f $tmp/$1/VIDEO_TS/VTS_01_1.VOB ]] ||
    { cat -- "$log" >&2; die "dvdauthor did not write the $1 title set (log above)"; }
}

# offset NAME: title time of the speech track's first sample: the AC-3 stream's first time
# stamp (ffprobe) plus the encoder's priming, less the first VOBU's start.
offset() {
  local vob=$tmp/$1/VIDEO_TS/VTS_01_1.VOB ac3 vobu
  ac3=$(ffprobe -v error -select_streams a:0 -show_entries stream=start_time -of csv=p=0 "$vob")
  vobu=$(od -An -tu4 --endian=big -v -j $((0x39)) -N4 -- "$vob" | tr -d ' ')
  [[ $ac3 =~ ^[0-9.]+$ && $vobu =~ ^[0-9]+$ ]] || die "no time stamps in $vob"
  python3 -c "print(f'{round($ac3 + 256 / 48000 - $vobu / 90000, 6) + 0:.6f}')"
}

# finish NAME: the title set and what the tests need beside it, into $tmp/final/NAME.
finish() {
  mkdir -p -- "$tmp/final/$1"
  mv -- "$tmp/$1/VIDEO_TS" "$tmp/final/$1/VIDEO_TS"
  dialogue describe "$tmp/plan.json" "$(offset_of "$1")" "$tmp/final/$1"
}

encode stereo -map 0:v -map 1:a -map 2:a -c:a:0 ac3 -b:a:0 192k -c:a:1 pcm_s16be
# The LPCM stream is the title set's second: sub-stream 0xA1, where ffmpeg writes 0xA0.
renumber_audio "$tmp/stereo.mpg" 0xA0=0xA1
author stereo '<audio format="ac3" channels="2" lang="en" />
      <audio format="pcm" channels="2" lang="en" />'
stereo_offset=$(offset stereo)
if [[ -z $minutes ]]; then
  encode surround -map 0:v -map 1:a -c:a:0 ac3 -b:a:0 448k -ac 6
  author surround '<audio format="ac3" channels="6" lang="en" />'
  surround_offset=$(offset surround)
fi

mkdir -- "$tmp/final"
offset_of() { local v=${1}_offset; echo "${!v}"; }
finish stereo
[[ -n $minutes ]] || finish surround
publish "$tmp/final"

echo "speech titles ready in $out (speech track at title time $stereo_offset s)"
