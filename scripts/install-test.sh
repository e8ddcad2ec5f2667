#!/usr/bin/env bash
# Checks a build's installation: installed into a scratch root (DESTDIR), the desktop
# entry and the AppStream metadata validate and the manual page is the tool's --help;
# run from that read-only root by an ordinary user, the programs find their data, keep
# the settings and playback's working file in the user's own folders, and write nothing
# into the installation. Then makes the .deb and lets lintian judge it; as root in CI
# (CI set) installs and removes it with dpkg.
#   scripts/install-test.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
app=org.velmorin.Velmorin
user_name=velmorin-test

scratch=$(realpath "$(mktemp -d)")
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
root=$scratch/root
home=$scratch/home
fail() { echo "install-test: $*" >&2; exit 1; }

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
desktop-file-validate "$root/usr/share/applications/$app.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" >/dev/null
for size in 16 24 32 48 64 128 256 scalable; do
  ls "$root/usr/share/icons/hicolor/$size"*/apps/$app.* >/dev/null
done
manual=$(MANWIDTH=200 man -l "$root/usr/share/man/man1/velmorin-cli.1.gz" 2>/dev/null)
while IFS= read -r line; do
  [[ -z $line ]] || grep -qF -- "$line" <<<"$manual" || fail "the manual page lacks: $line"
done < <("$root/usr/bin/velmorin-cli" --help; "$root/usr/bin/velmorin-cli" settings --help)

# The installation is read-only, as one owned by root is to a user; its fingerprint shows
# anything written into it.
chmod -R a-w "$root"
fingerprint() { (cd "$root" && find . -printf '%p %s %T@\n' | sort | sha1sum); }
before=$(fingerprint)

# An ordinary user: a system account made for this when running as root.
mkdir -p "$home"
as_user=(env)
if [[ $(id -u) -eq 0 ]]; then
  id "$user_name" >/dev/null 2>&1 || useradd --system --no-create-home "$user_name"
  chown "$user_name" "$home"
  as_user=(runuser -u "$user_name" -- env)
fi
run() { "${as_user[@]}" -i HOME="$home" TMPDIR="$home" PATH=/usr/bin:/bin "$@"; }

report=$(run "$root/usr/bin/velmorin-cli" settings)
for expected in "layout: installed" "settingsFile: $home/.config/velmorin/velmorin.DAT" \
  "optionsFile: $home/.config/velmorin/options.txt" "workingFolder: $home/.cache/velmorin/" \
  "logoFile: $root/usr/share/velmorin/LOGO.BMP" "helpFile: $root/usr/share/velmorin/README.HTM"; do
  grep -qxF "$expected" <<<"$report" || fail "velmorin-cli settings: no '$expected' in:"$'\n'"$report"
done
run "$root/usr/bin/velmorin-cli" logo "$root/usr/share/velmorin/LOGO.BMP" -o "$home/logo.bmp"

# A stretch played and the settings kept across runs, by the core as the installed
# program runs it (the sample disc is the end-to-end tests').
[[ -d $build/sample-disc/VIDEO_TS ]] || scripts/make-sample-disc.sh "$build/sample-disc" >/dev/null
played=$(run VELMORIN_INSTALLED_PROGRAM="$root/usr/bin/velmorin" "$build/tests/e2e/e2e_tests" \
  --gtest_filter='*AnInstalledProgramKeepsItsFilesInTheUsersFolders') || fail "$played"
grep -q '^\[  PASSED  \] 1 test' <<<"$played" || fail "$played"
[[ $(stat -c %s "$home/.config/velmorin/velmorin.DAT") -eq 555 ]] || fail "no settings file kept"

# The desktop program starts from the installation and is still running after a while.
status=0
run QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/velmorin" || status=$?
[[ $status -eq 124 ]] || fail "the installed desktop program ended with status $status"

[[ $(fingerprint) == "$before" ]] || fail "something was written into the installation"
echo "installed layout: checks passed"

# The Debian package.
rm -f "$build"/velmorin_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/velmorin_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "the package depends on no Qt: $depends"
echo "package: $deb (Depends: $depends)"
if command -v lintian >/dev/null; then
  lint=$(lintian --tag-display-limit 0 "$deb" | grep -v '^N:' || true)
  [[ -z $lint ]] || echo "$lint"
  ! grep -q '^E:' <<<"$lint" || fail "lintian found errors"
fi
if [[ $(id -u) -eq 0 && -n ${CI:-} ]]; then
  dpkg -i "$deb" >/dev/null
  installed=$(runuser -u "$user_name" -- env -i HOME="$home" PATH=/usr/bin:/bin velmorin-cli settings)
  grep -qxF "layout: installed" <<<"$installed" || fail "the package's tool: $installed"
  dpkg -r velmorin >/dev/null
  [[ ! -e /usr/bin/velmorin && ! -e /usr/share/velmorin ]] || fail "dpkg -r left files"
  echo "package: installed and removed with dpkg"
fi
