#!/usr/bin/env bash
# Installs what building, testing and the demonstration need, from Debian's packages.
# Does nothing when everything is there already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-14-dev
  libgtest-dev libgmock-dev
  ffmpeg dvdauthor libdvdread-dev lsdvd time bc
  libavcodec-dev libswresample-dev libavutil-dev libpocketsphinx-dev libsphinxbase-dev
  pocketsphinx-en-us espeak-ng libespeak-ng-dev sox
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n fonts-ipafont-gothic libgl-dev xvfb xauth
  desktop-file-utils appstream lintian man-db
  g++-multilib googletest
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 fonts-wine nsis
  dpkg-dev autoconf automake libtool bison nasm
)

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
updated=false
# Installs those of the given packages that are not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "Installing: ${missing[*]}"
  if [[ $updated == false ]]; then
    "${sudo[@]}" apt-get update -qq
    updated=true
  fi
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Never wine32 beside them: on Debian 12 its loader cannot start here and breaks wine64's
# too; the i686 Windows build is compiled and linked, and run only where Wine can.
install_missing "${packages[@]}"
# The 32-bit build's tests run under qemu-i386 where the kernel runs no 32-bit programs.
"$(dirname "$0")/runs-32bit.sh" || install_missing qemu-user
