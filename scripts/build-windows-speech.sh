#!/usr/bin/env bash
# Builds the libraries of word placement for the x86_64 Windows build, with MinGW-w64, as
# static libraries: sphinxbase and pocketsphinx from Debian's source packages, and an
# FFmpeg of only libavutil, libswresample and the libavcodec parts DVD audio needs (the
# AC-3, DTS, DVD LPCM and MPEG audio decoders and parsers), with pocketsphinx's en-us
# acoustic model and dictionary. Prints the folder they are in (lib/, include/,
# lib/pkgconfig/, model/en-us/), for -DVELMORIN_WINDOWS_SPEECH_PREFIX=... of
# scripts/build-windows.sh:
#   prefix=$(scripts/build-windows-speech.sh)
#
# The folder lies outside the checkout, in ${VELMORIN_SPEECH_CACHE:-$XDG_CACHE_HOME/velmorin}
# (XDG_CACHE_HOME defaults to ~/.cache), named by the three source packages' versions, the
# compiler's and this script's own: a later run with the same ones only prints it. Its
# build log is build.log there. Needs root (or sudo) to add Debian's source lists to apt
# when they are missing, and the tools scripts/install-deps.sh installs.
set -euo pipefail

triple=x86_64-w64-mingw32
jobs=2
die() {
  echo "build-windows-speech.sh: $*" >&2
  exit 1
}
command -v "$triple-gcc-posix" >/dev/null || die "$triple-gcc-posix not found"

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)

# Source versions come from apt's source lists; without any, the lists of Debian's binary
# packages are copied as source lists.
source_version() {
  apt-cache showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1
}
if [[ -z $(source_version sphinxbase) ]]; then
  echo "build-windows-speech.sh: adding Debian's source lists to apt" >&2
  for list in /etc/apt/sources.list.d/*.sources; do
    [[ -e $list ]] || continue
    grep -q 'debian' "$list" || continue
    sed 's/^Types: deb$/Types: deb-src/' "$list" |
      "${sudo[@]}" tee "/etc/apt/sources.list.d/velmorin-src-$(basename "$list")" >/dev/null
  done
  for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -e $list ]] || continue
    grep -q '^deb .*debian' "$list" || continue
    sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' "$list" |
      "${sudo[@]}" tee "/etc/apt/sources.list.d/velmorin-src-$(basename "$list" .list).list" >/dev/null
  done
  "${sudo[@]}" apt-get update -qq
fi
sphinxbase=$(source_version sphinxbase)
pocketsphinx=$(source_version pocketsphinx)
ffmpeg=$(source_version ffmpeg)
[[ -n $sphinxbase && -n $pocketsphinx && -n $ffmpeg ]] ||
  die "apt knows no source package of sphinxbase, pocketsphinx or ffmpeg"

recipe=$(
  {
    echo "$sphinxbase $pocketsphinx $ffmpeg"
    "$triple-gcc-posix" --version | head -n 1
    grep -v "^ *#" "$0"  # its commands, not its comments
  } | sha256sum | cut -c1-12
)
cache=${VELMORIN_SPEECH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velmorin}
prefix=$cache/windows-speech-x86_64-${recipe}
if [[ -e $prefix/.complete ]]; then
  echo "$prefix"
  exit 0
fi

# Installed straight into the folder (pkg-config files name it); .complete marks it whole,
# and a folder without the mark is a build that stopped half-way.
rm -rf "$prefix"
mkdir -p "$prefix"
work=$(mktemp -d "$cache/.work.XXXXXX")
trap 'rm -rf "$work"' EXIT
log=$prefix/build.log
start=$SECONDS
echo "build-windows-speech.sh: building sphinxbase $sphinxbase, pocketsphinx $pocketsphinx" \
  "and FFmpeg $ffmpeg for $triple (first time only, a few minutes; log: $log)" >&2
# Runs a step with its output in the log; on failure shows the log's end.
step() {
  echo "== $*" >>"$log"
  "$@" >>"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    die "failed: $*"
  }
}

cd "$work"
step apt-get source --only-source "sphinxbase=$sphinxbase" "pocketsphinx=$pocketsphinx" \
  "ffmpeg=$ffmpeg"

export CC="$triple-gcc-posix" CXX="$triple-g++-posix" AR="$triple-ar" RANLIB="$triple-ranlib"
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH=
# Debian's own compiler flags, so the recogniser computes as the Linux packages do.
export CFLAGS="-g -O2"

# The autotools builds: only the libraries, their headers and pkg-config files (their
# command-line programs and Python modules are not needed and do not all build here).
autotools_build() {
  local dir=$1
  shift
  cd "$work"/"$dir"-*/
  # As Debian builds them: its patches change configure.ac.
  step autoreconf -fi
  step ./configure --host="$triple" --prefix="$prefix" --enable-static --disable-shared \
    --without-python "$@"
  step make -j"$jobs" -C include
  step make -j"$jobs" -C src/lib"$dir"
  step make -C include install
  step make -C src/lib"$dir" install
  step make install-pkgconfigDATA
  cd "$work"
}
autotools_build sphinxbase --without-lapack
autotools_build pocketsphinx
# sphinxbase.pc names its audio device library too, which the recogniser does not use and
# is not built here.
sed -i 's/ -lsphinxad//' "$prefix/lib/pkgconfig/sphinxbase.pc"
rm -f "$prefix"/lib/*.la

cd "$work"/ffmpeg-*/
step ./configure --prefix="$prefix" --target-os=mingw32 --arch=x86_64 \
  --cross-prefix="$triple-" --cc="$CC" --pkg-config=pkg-config \
  --enable-static --disable-shared --disable-programs --disable-doc --disable-debug \
  --disable-autodetect --disable-network --disable-everything \
  --disable-avformat --disable-avdevice --disable-avfilter --disable-swscale \
  --disable-postproc --enable-swresample \
  --enable-decoder=ac3,ac3_fixed,dca,pcm_dvd,mp1,mp1float,mp2,mp2float,mp3,mp3float \
  --enable-parser=ac3,dca,mpegaudio
step make -j"$jobs"
step make install
cd "$work"

rm -rf "${prefix:?}/share" "${prefix:?}/bin"
# The en-us acoustic model and dictionary the zip ships (the package pocketsphinx-en-us
# is made of the same files); the language model is not needed to place known words.
mkdir -p "$prefix/model/en-us"
cp -r "$work"/pocketsphinx-*/model/en-us/en-us "$work"/pocketsphinx-*/model/en-us/cmudict-en-us.dict \
  "$prefix/model/en-us/"
echo "built in $((SECONDS - start)) s" >>"$log"
touch "$prefix/.complete"
echo "build-windows-speech.sh: built in $((SECONDS - start)) s" >&2
echo "$prefix"
