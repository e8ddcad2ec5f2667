#!/usr/bin/env bash
# Lets a Wine prefix show Japanese text everywhere: the system faces of menus, captions and
# message boxes fall back to the installed IPA Gothic, and the dialog faces of a Japanese
# Windows ("ＭＳ ゴシック", "ＭＳ Ｐゴシック") map to IPA Gothic. Wine's own Marlett (the
# glyphs of the caption buttons) and Tahoma go into the prefix's font folder too: the
# Debian package installs them where this Wine does not look.
#   scripts/wine-japanese-fonts.sh PREFIX [WINE]
set -euo pipefail
export WINEPREFIX=${1:?usage: wine-japanese-fonts.sh PREFIX [WINE]}
wine=${2:-/usr/lib/wine/wine64}
fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
for f in marlett.ttf tahoma.ttf; do
  [[ -f /usr/share/wine/fonts/$f ]] && cp -n "/usr/share/wine/fonts/$f" "$fonts/"
done
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
# regedit reads a version 5 file as UTF-16 with its byte order mark.
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$(dirname "$0")/wine-japanese-fonts.reg"; } >"$reg"
timeout 120 "$wine" regedit /S "Z:${reg//\//\\}" </dev/null >/dev/null 2>&1
