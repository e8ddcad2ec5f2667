# The frame of the scripts that make test discs with ffmpeg and dvdauthor, sourced by them
# after they set MAKER (their name, for messages) and check their own arguments' count:
#   OUTDIR as $1, cached (a finished OUTDIR has .complete), built in a temporary folder
#   beside it with every tool's output in $log, and moved into place in one rename.
# Defines die, run and publish; sets out, tmp, log and SECTOR.

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
