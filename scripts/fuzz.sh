#!/usr/bin/env bash
# Runs every fuzz target of a build made with -DVELMORIN_FUZZ=ON for a while each,
# starting from seeds cut from the sample disc.
#   scripts/fuzz.sh BUILD_DIR [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}

disc=build/sample-disc
[[ -d $build/sample-disc ]] && disc=$build/sample-disc
scripts/make-sample-disc.sh "$disc"

for target in "$build"/tests/fuzz/fuzz_*; do
  [[ -x $target ]] || continue
  name=$(basename "$target")
  corpus=$build/fuzz-corpus/$name
  mkdir -p "$corpus"
  "$target" --make-seeds "$corpus" "$disc/VIDEO_TS"
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=0 -close_fd_mask=3 "$corpus" 2>"$build/$name.log" ||
    { tail -60 "$build/$name.log"; exit 1; }
  echo "$name: $(grep -c '^#' "$build/$name.log" || true) status lines, no crash"
done
