#!/usr/bin/env bash
# The x86_64 installer, made from the Windows build's ZIP, under Wine on a virtual display
# in a fresh prefix: installed silently, its programs run, uninstalled silently. Exits 77
# (skipped, with the reason) where makensis, Xvfb or a Wine for 64-bit programs is missing.
#   tests/win32/run_installer_test.sh WINDOWS_BUILD_DIR PREFIX [WINE]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
skip() { echo "skipped: $*"; exit 77; }
if [[ ${1:-} != inside ]]; then
  build=$(realpath "${1:?usage: run_installer_test.sh WINDOWS_BUILD_DIR PREFIX [WINE]}")
  prefix=$(realpath -m "${2:?}") wine=${3:-/usr/lib/wine/wine64}
  command -v makensis >/dev/null || skip "makensis is not installed (Debian package nsis)"
  command -v xvfb-run >/dev/null || skip "xvfb-run is not installed (Debian package xvfb)"
  grep -q '^VELMORIN_WINDOWS_ARCH:.*=x86_64$' "$build/CMakeCache.txt" || skip "$build is no x86_64 build"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  (cd "$build" && cpack -G ZIP -B "$work" >/dev/null)  # the build's own ZIP stays as it is
  "$here/../../scripts/make-windows-installer.sh" "$build" "$work/velmorin-windows-x86_64.zip" >/dev/null
  (cd "$work" && cmake -E tar xf velmorin-windows-x86_64.zip && mv velmorin-windows-x86_64 zip)
  cp "$build/tests/win32/start_and_exit.exe" "$work/"
  [[ ! -d $prefix ]] || { chattr -R -i "$prefix" 2>/dev/null || true; rm -rf "$prefix"; }
  # Display numbers from 140: xvfb-run -a of the desktop test, beside it, starts at 99.
  status=0
  xvfb-run -a -n 140 -s "-screen 0 1280x1024x24" bash "$0" inside "$work" "$prefix" "$wine" || status=$?
  "$here/../../scripts/wine-session.sh" stop "$prefix" "$wine"
  exit $status
fi

work=$2 wine=$4
export WINEPREFIX=$3 WINEDEBUG=-all LC_ALL=C.UTF-8 WINEDLLOVERRIDES="winemenubuilder.exe=d"
"$here/../../scripts/wine-session.sh" start "$WINEPREFIX" "$wine"
run() { timeout 300 "$wine" "$@" </dev/null; }
at="Z:${work//\//\\}"
run "$at\\zip\\velmorin-cli.exe" --version >/dev/null 2>&1 || skip "this Wine ($wine) runs no 64-bit program"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
folder="$WINEPREFIX/drive_c/Program Files/Velmorin" installed='C:\Program Files\Velmorin'
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmorin.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmorin'
value() { run reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z]* *//p"; }

run "$at\\velmorin-windows-x86_64-setup.exe" /S || fail "the silent installation: status $?"
{ diff -r "$work/zip" "$folder" || true; } | grep -v "^Only in $folder: uninstall.exe\$" &&
  fail "the installation differs from the ZIP (above)"
[[ -f $menu ]] || fail "no Start-menu entry"
for name in DisplayName DisplayVersion Publisher UninstallString QuietUninstallString \
  InstallLocation DisplayIcon EstimatedSize; do
  echo "$name: $(value $name)"
  [[ -n $(value $name) ]] || fail "the list of installed programs lacks $name"
done
# Windows lets no ordinary user write into Program Files; Wine lets everyone (root even past
# the permission bits), so the folder is locked for the programs' runs.
lock() { if ((EUID == 0)); then chattr "$1i" "$folder"; else chmod "${1/+/-}w" "$folder"; fi; }
trap 'lock -' EXIT
lock + || fail "the program's folder cannot be locked"
settings=$(run "$installed\\velmorin-cli.exe" settings | tr -d '\r')
echo "$settings"
grep -Pzq '^layout: installed\nsettingsFile: C:\\users\\[^\\]+\\AppData\\Roaming\\Velmorin\\velmorin\.DAT\n' <<<"$settings" ||
  fail "velmorin-cli.exe settings: not the installed layout under %APPDATA%"
run "$at\\start_and_exit.exe" "$installed\\velmorin.exe" || fail "velmorin.exe did not start and end"
saved=$(compgen -G "$WINEPREFIX/drive_c/users/*/AppData/Roaming/Velmorin/velmorin.DAT") ||
  fail "velmorin.exe saved no settings in %APPDATA%\\Velmorin"
lock - && trap - EXIT

# The uninstaller runs from a copy of itself: wait for it to finish its work.
uninstall=$(value QuietUninstallString)
program=${uninstall#\"} && program=${program%%\"*}
read -ra arguments <<<"${uninstall##*\"}"
run "$program" "${arguments[@]}" || fail "the silent uninstallation: status $?"
for ((waited = 0; waited < 120; waited++)); do
  [[ -e $folder || -n $(value DisplayName) ]] || break
  sleep 1
done
[[ ! -e $folder ]] || { find "$folder"; fail "installed files stayed (above)"; }
[[ ! -e $menu ]] || fail "the Start-menu entry stayed"
[[ -z $(value DisplayName) ]] || fail "the list of installed programs still names Velmorin"
[[ -f ${saved:-} ]] || fail "the user's settings are gone"
((failures == 0)) && echo "installed, run and uninstalled"
