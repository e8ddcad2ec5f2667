# The frame of the scripts that make test discs with ffmpeg and dvdauthor, sourced by them
# after they set MAKER (their name, for messages) and check their own arguments' count:
#   OUTDIR as $1, cached (a finished OUTDIR has .complete), built in a temporary folder
#   beside it with every tool's output in $log, and moved into place in one rename.
# Defines die, run, split_vob and publish; sets out, tmp, log and SECTOR.

die() { echo "$MAKER: $*" >&2; exit 1; }

[[ $# -eq 1 && -n $1 ]] || die "usage: $0 OUTDIR"
out=${1%/}
[[ -n $out ]] || out=/

[[ -e $out/.complete ]] && exit 0

if [[ -e $out ]] && ! [[ -d $out && -z $(ls -A -- "$out") ]]; then
  die "$out exists and is not an empty directory; remove it and retry"
fi
command -v ffmpeg >/dev/null || die "ffmpeg not found"
command -v dvdauthor >/dev/null || die "dvdauthor not found"

parent=$(dirname -- "$out")
mkdir -p -- "$parent"
tmp=$(mktemp -d "$parent/.$(basename -- "$out").tmp.XXXXXX")
trap 'rm -rf -- "$tmp"' EXIT
log=$tmp/build.log
: >"$log"

# Run a tool with its output in the log; on failure show the log and stop.
run() {
  if ! "$@" >>"$log" 2>&1; then
    echo "$MAKER: failed: $*" >&2
    cat -- "$log" >&2
    exit 1
  fi
}

SECTOR=2048

# True when sector $2 of file $1 is a navigation pack: the system header's start code
# 00 00 01 BB at bytes 14..17, right after the 14-byte pack header.
is_nav_pack() {
  [[ $(od -An -tx1 -v -j $(($2 * SECTOR + 14)) -N4 -- "$1" | tr -d ' \n') == 000001bb ]]
}

# renumber_audio FILE FROM=TO...: ffmpeg numbers private stream 1 audio per codec (0x80,
# 0x88, 0xA0); a DVD numbers it by the audio stream's place in the title set, so the
# packets get the sub-stream ids that the title set's audio table implies (0x88=0x89).
renumber_audio() {
  local file=$1
  shift
  run python3 - "$file" "$@" <<'PY'
import sys
ids = {int(a, 16): int(b, 16) for a, b in (pair.split("=") for pair in sys.argv[2:])}
with open(sys.argv[1], "r+b") as f:
    data = bytearray(f.read())
    for at in range(0, len(data) - 2047, 2048):
        if data[at + 14 : at + 18] == b"\0\0\1\xbd":
            sub = at + 23 + data[at + 22]
            data[sub] = ids.get(data[sub], data[sub])
    f.seek(0)
    f.write(data)
PY
}

# split_vob VIDEO_TS: cuts VTS_01_1.VOB near its middle, inside a VOBU, into it and
# VTS_01_2.VOB, as a disc's 1 GiB parts fall; prints the sector it was cut at.
split_vob() {
  local vob=$1/VTS_01_1.VOB bytes sectors split
  bytes=$(stat -c %s -- "$vob")
  ((bytes % SECTOR == 0)) || die "$vob is not a whole number of sectors"
  sectors=$((bytes / SECTOR))
  split=$((sectors / 2))
  while ((split < sectors)) && is_nav_pack "$vob" "$split"; do split=$((split + 1)); done
  ((split > 0 && split < sectors)) || die "no split sector found in $vob"
  head -c $((split * SECTOR)) -- "$vob" >"$1/part1"
  tail -c +$((split * SECTOR + 1)) -- "$vob" >"$1/VTS_01_2.VOB"
  mv -- "$1/part1" "$vob"
  (($(stat -c %s -- "$vob") + $(stat -c %s -- "$1/VTS_01_2.VOB") == bytes)) ||
    die "the parts of $vob do not add up"
  echo "$split"
}

# publish FINAL_DIR: marks FINAL_DIR complete (with the log) and moves it to OUTDIR in one
# rename; mv -T replaces OUTDIR only if it is empty.
publish() {
  mv -- "$log" "$1/build.log"
  : >"$1/.complete"
  if ! mv -T -- "$1" "$out" 2>/dev/null; then
    [[ -e $out/.complete ]] && exit 0 # another run finished first
    die "$out exists and is not an empty directory; remove it and retry"
  fi
}
