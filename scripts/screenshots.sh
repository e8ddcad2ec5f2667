#!/usr/bin/env bash
# Renders the main window after a scan of the sample disc, its preview window, the source,
# settings and title list dialogs, "時間指定で無音化" with a plan and the start-up picture
# under Xvfb into docs/screenshots/
# (the pictures the README shows), then the Windows program's under Wine (docs/screenshots/windows-*.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
scripts/make-sample-disc.sh build/sample-disc
mkdir -p docs/screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/gui_screenshots "$PWD/build/sample-disc/VIDEO_TS" \
  build/src/gui/LOGO.BMP docs/screenshots
echo "wrote docs/screenshots/*.png"

# The Windows desktop program's windows, rendered under Wine.
scripts/build-windows.sh build-win64 x86_64
scripts/screenshots-windows.sh build-win64 build/sample-disc/VIDEO_TS docs/screenshots
