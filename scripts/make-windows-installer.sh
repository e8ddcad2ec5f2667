#!/usr/bin/env bash
# Makes the x86_64 Windows installer (packaging/windows/velmorin.nsi, with makensis) from
# the ZIP package of a MinGW-w64 build folder, so that both hold the same files, whatever
# they are (the installer and its uninstaller list them from the ZIP).
#   scripts/make-windows-installer.sh BUILD_DIR [ZIP]
# ZIP defaults to BUILD_DIR/velmorin-windows-x86_64.zip (cpack -G ZIP there makes it); the
# installer is written beside it: velmorin-windows-x86_64-setup.exe. Prints its path.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath "${1:?usage: scripts/make-windows-installer.sh BUILD_DIR [ZIP]}")
zip=$(realpath "${2:-$dir/velmorin-windows-x86_64.zip}")
out=${zip%.zip}-setup.exe
command -v makensis >/dev/null || {
  echo "make-windows-installer.sh: makensis is missing (Debian package nsis)" >&2
  exit 1
}
arch=$(sed -n 's/^VELMORIN_WINDOWS_ARCH:[A-Z]*=//p' "$dir/CMakeCache.txt")
[[ $arch == x86_64 ]] || {
  echo "make-windows-installer.sh: $dir is a ${arch:-non-Windows} build; the installer is for x86_64" >&2
  exit 2
}
[[ -f $zip ]] || {
  echo "make-windows-installer.sh: no $zip (cpack -G ZIP in $dir makes it)" >&2
  exit 1
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$dir/CMakeCache.txt")
IFS=. read -r -a parts <<<"$version"
while ((${#parts[@]} < 4)); do parts+=(0); done
version4=$(IFS=.; echo "${parts[*]:0:4}")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip")
# The ZIP's one top folder.
stage=$(find "$work" -mindepth 1 -maxdepth 1 -type d)

# The Install and Uninstall macros: every folder and file of the stage; the uninstaller
# removes the files, then the folders, deepest first.
# makensis reads the files' own names as they are (but for ${...}); the paths of the
# installation are strings of the installer, with $ doubled.
if find "$stage" -name '*"*' -o -name "*"$'\n'"*" -o -name "*\${*" | grep -q .; then
  echo "make-windows-installer.sh: a file name with a quote, a line end or \${ cannot go into the installer" >&2
  exit 1
fi
nsis_text() { echo "${1//\$/\$\$}"; }
# The same for a path inside the installation, with Windows' separators.
nsis_path() {
  local s
  s=$(nsis_text "$1")
  echo "${s//\//\\}"
}
files=$work/files.nsh
{
  echo '!macro Install'
  while IFS= read -r -d '' folder; do
    folder=${folder#.}
    echo "  SetOutPath \"\$INSTDIR$(nsis_path "$folder")\""
    while IFS= read -r -d '' file; do
      echo "  File \"$stage${folder}/${file#./}\""
    done < <(cd "$stage$folder" && find . -maxdepth 1 -type f -print0 | sort -z)
  done < <(cd "$stage" && find . -type d -print0 | sort -z)
  echo '!macroend'
  echo '!macro Uninstall'
  while IFS= read -r -d '' file; do
    echo "  Delete \"\$INSTDIR\\$(nsis_path "${file#./}")\""
  done < <(cd "$stage" && find . -type f -print0 | sort -z)
  while IFS= read -r -d '' folder; do
    echo "  RMDir \"\$INSTDIR\\$(nsis_path "${folder#./}")\""
  done < <(cd "$stage" && find . -mindepth 1 -depth -type d -print0)
  echo '!macroend'
} >"$files"

icon=()
[[ -f $dir/src/win32/velmorin.ico ]] && icon=("-DICON=$dir/src/win32/velmorin.ico")
makensis -V2 -NOCD "-DVERSION=$version" "-DVERSION4=$version4" "-DSTAGE=$stage" \
  "-DFILES=$files" "-DSIZE_KB=$(du -sk "$stage" | cut -f1)" "-DOUTFILE=$out" "${icon[@]}" \
  "$here/packaging/windows/velmorin.nsi" >&2
echo "$out"
