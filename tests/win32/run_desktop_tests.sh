#!/usr/bin/env bash
# Runs the Windows desktop tests: velmorin.exe driven by desktop_tests.exe under Wine, on a
# virtual X display of its own, in a Wine prefix of its own with Japanese fonts linked in.
#   tests/win32/run_desktop_tests.sh WINDOWS_BUILD_DIR SAMPLE_DISC_VIDEO_TS PREFIX [WINE]
set -euo pipefail
build=$(realpath "${1:?usage: run_desktop_tests.sh WINDOWS_BUILD_DIR VIDEO_TS PREFIX [WINE]}")
disc=$(realpath "${2:?}")
prefix=${3:?}
wine=${4:-/usr/lib/wine/wine64}
here=$(dirname "$(realpath "$0")")
programs=$(mktemp -d)
trap 'rm -rf "$programs"' EXIT
cp "$build/src/win32/velmorin.exe" "$build/src/cli/velmorin-cli.exe" \
  "$build/tests/win32/record_player.exe" "$programs/"
windows_path() { echo "Z:${1//\//\\}"; }
export VELMORIN_PROGRAMS VELMORIN_SAMPLE_DISC
VELMORIN_PROGRAMS=$(windows_path "$programs")
VELMORIN_SAMPLE_DISC=$(windows_path "$disc")
export WINEDEBUG=-all LC_ALL=C.UTF-8
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$0/../../scripts/wine-session.sh" start "$1" "$2"
  "$0/../../scripts/wine-japanese-fonts.sh" "$1" "$2"
  status=0
  WINEPREFIX="$1" timeout 600 "$2" "$3" || status=$?
  "$0/../../scripts/wine-session.sh" stop "$1" "$2"
  exit $status' "$here" "$prefix" "$wine" "$build/tests/win32/desktop_tests.exe"
