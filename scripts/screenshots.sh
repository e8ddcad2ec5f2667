#!/usr/bin/env bash
# Renders the main window after a scan of the sample disc, its preview window, the source,
# settings and title list dialogs and the start-up picture under Xvfb into docs/screenshots/
# (the pictures the README shows).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
scripts/make-sample-disc.sh build/sample-disc
mkdir -p docs/screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/gui_screenshots "$PWD/build/sample-disc/VIDEO_TS" \
  build/src/gui/LOGO.BMP docs/screenshots
echo "wrote docs/screenshots/*.png"
