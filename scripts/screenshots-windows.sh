#!/usr/bin/env bash
# Renders the Windows desktop program under Wine, in a virtual desktop with window frames
# (explorer /desktop=…) on Xvfb: the main window after a scan of the sample disc, its
# preview, the source, settings and title list dialogs and "時間指定で無音化" with a plan,
# as docs/screenshots/windows-*.png; then the whole virtual desktop with the main window and
# its preview at 100 %, 125 %, 150 % and 200 % scaling (LogPixels), on screens where the
# larger scalings are usual, as windows-desktop-<scaling>.png.
#   scripts/screenshots-windows.sh WINDOWS_BUILD_DIR SAMPLE_DISC_VIDEO_TS [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:?usage: screenshots-windows.sh WINDOWS_BUILD_DIR VIDEO_TS [OUT_DIR]}")
disc=$(realpath "${2:?}")
out=$(realpath "${3:-docs/screenshots}")
wine=${WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/shots" "$out"
cp "$build/src/win32/velmorin.exe" "$build/LOGO.BMP" "$work/program/"
# A build with word placement shows it: the recogniser's model lies beside the program.
speech=$(sed -n 's/^VELMORIN_WINDOWS_SPEECH_PREFIX:PATH=//p' "$build/CMakeCache.txt")
if [[ -n $speech && -d $speech/model/en-us ]]; then
  mkdir -p "$work/program/pocketsphinx/model"
  cp -r "$speech/model/en-us" "$work/program/pocketsphinx/model/"
fi
windows_path() { echo "Z:${1//\//\\}"; }
export WINEPREFIX=$work/prefix WINEDEBUG=-all LC_ALL=C.UTF-8
# Scaling (percent), its LogPixels and the virtual desktop's size.
xvfb-run -a -s "-screen 0 2600x1500x24" bash -c '
  wine=$0 shooter=$1
  shift
  scripts/wine-session.sh start "$WINEPREFIX" "$wine"
  scripts/wine-japanese-fonts.sh "$WINEPREFIX" "$wine"
  status=0
  timeout 300 "$wine" explorer /desktop=velmorin,1152x864 "$shooter" "$@" || status=$?
  # With the shell: a task bar at the foot of the desktop, the windows kept above it.
  timeout 60 "$wine" reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\velmorin" /v EnableShell \
    /t REG_DWORD /d 1 /f >/dev/null 2>&1 || status=$?
  for scaling in 100:96:1366x768 125:120:1366x768 150:144:1920x1080 200:192:2560x1440; do
    IFS=: read -r percent dpi size <<<"$scaling"
    # A scaling takes effect in a new session.
    timeout 60 "$wine" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD \
      /d "$dpi" /f >/dev/null 2>&1 || status=$?
    scripts/wine-session.sh stop "$WINEPREFIX" "$wine"
    scripts/wine-session.sh start "$WINEPREFIX" "$wine"
    timeout 300 "$wine" explorer /desktop=velmorin,"$size" "$shooter" "$@" \
      "windows-desktop-$percent" || status=$?
  done
  scripts/wine-session.sh stop "$WINEPREFIX" "$wine"
  exit $status' "$wine" "$(windows_path "$build/tests/win32/desktop_screenshots.exe")" \
  "$(windows_path "$work/program")" "$(windows_path "$disc")" "$(windows_path "$work/shots")"
for bmp in "$work"/shots/windows-*.bmp; do
  ffmpeg -loglevel error -y -i "$bmp" "$out/$(basename "${bmp%.bmp}").png"
done
ls "$out"/windows-*.png
