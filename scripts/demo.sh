#!/usr/bin/env bash
# Installs what is missing, builds, makes the sample title set and starts the desktop
# program beside it. Without a display it shows a headless demonstration instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh build
scripts/make-sample-disc.sh build/sample-disc
vts=$PWD/build/sample-disc/VIDEO_TS

if [[ -n ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
  # The program's folder holds its settings and working files; the source dialog starts
  # in the sample title set the first time.
  cp -f build/src/gui/velmorin build/sample-disc/velmorin
  cp -f build/src/gui/README.HTM build/src/gui/LOGO.BMP build/sample-disc/
  echo "Starting velmorin; press 入力ﾌｧｲﾙ..., open $vts and select both VOB files."
  cd build/sample-disc && exec ./velmorin
fi

echo "No display: a headless demonstration with velmorin-cli."
echo "(To see the desktop program without a display: xvfb-run build/src/gui/velmorin)"
echo
echo "== velmorin-cli scan $vts/VTS_01_1.VOB $vts/VTS_01_2.VOB"
echo "   (one line per GOP: chapter mark '>', cell mark '*', GOP number, time code, audio pattern)"
build/src/cli/velmorin-cli scan "$vts/VTS_01_1.VOB" "$vts/VTS_01_2.VOB"
