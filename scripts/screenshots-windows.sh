#!/usr/bin/env bash
# Renders the Windows desktop program under Wine, in a virtual desktop with window frames
# (explorer /desktop=…) on Xvfb: the main window after a scan of the sample disc, its
# preview, the source, settings and title list dialogs and "時間指定で無音化" with a plan,
# as docs/screenshots/windows-*.png, and the main window once more at 150 % scaling
# (LogPixels 144), windows-main-window-150.png.
#   scripts/screenshots-windows.sh WINDOWS_BUILD_DIR SAMPLE_DISC_VIDEO_TS [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:?usage: screenshots-windows.sh WINDOWS_BUILD_DIR VIDEO_TS [OUT_DIR]}")
disc=$(realpath "${2:?}")
out=$(realpath "${3:-docs/screenshots}")
wine=${WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/shots" "$work/shots150" "$out"
cp "$build/src/win32/velmorin.exe" "$build/LOGO.BMP" "$work/program/"
windows_path() { echo "Z:${1//\//\\}"; }
export WINEPREFIX=$work/prefix WINEDEBUG=-all LC_ALL=C.UTF-8
xvfb-run -a -s "-screen 0 1920x1400x24" bash -c '
  scripts/wine-session.sh start "$WINEPREFIX" "$0"
  scripts/wine-japanese-fonts.sh "$WINEPREFIX" "$0"
  status=0
  timeout 300 "$0" explorer /desktop=velmorin,1152x864 "$1" "$2" "$3" "$4" || status=$?
  # 150 %: the scaling takes effect in a new session.
  timeout 60 "$0" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 144 /f \
    >/dev/null 2>&1 || status=$?
  scripts/wine-session.sh stop "$WINEPREFIX" "$0"
  scripts/wine-session.sh start "$WINEPREFIX" "$0"
  timeout 300 "$0" explorer /desktop=velmorin,1800x1350 "$1" "$2" "$3" "$5" || status=$?
  scripts/wine-session.sh stop "$WINEPREFIX" "$0"
  exit $status' "$wine" "$(windows_path "$build/tests/win32/desktop_screenshots.exe")" \
  "$(windows_path "$work/program")" "$(windows_path "$disc")" "$(windows_path "$work/shots")" \
  "$(windows_path "$work/shots150")"
for bmp in "$work"/shots/windows-*.bmp; do
  ffmpeg -loglevel error -y -i "$bmp" "$out/$(basename "${bmp%.bmp}").png"
done
ffmpeg -loglevel error -y -i "$work/shots150/windows-main-window.bmp" "$out/windows-main-window-150.png"
ls "$out"/windows-*.png
