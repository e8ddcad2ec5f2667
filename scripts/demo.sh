#!/usr/bin/env bash
# Installs what is missing, builds, makes the sample title set and shows the program
# on it. (The desktop program comes later; for now a headless demonstration with
# velmorin-cli.)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh build
scripts/make-sample-disc.sh build/sample-disc
vts=build/sample-disc/VIDEO_TS

echo
echo "== velmorin-cli scan $vts/VTS_01_1.VOB $vts/VTS_01_2.VOB"
echo "   (one line per GOP: chapter mark '>', cell mark '*', GOP number, time code, audio pattern)"
build/src/cli/velmorin-cli scan "$vts/VTS_01_1.VOB" "$vts/VTS_01_2.VOB"
