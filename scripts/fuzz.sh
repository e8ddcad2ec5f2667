#!/usr/bin/env bash
# Runs every fuzz target of a build made with -DVELMORIN_FUZZ=ON for a while each,
# starting from the committed corpus in tests/fuzz/corpus/ (real sample-disc bytes and
# every input that once found a fault). New inputs go to BUILD_DIR/fuzz-corpus/, a
# crashing input to BUILD_DIR/fuzz-artifacts/.
#   scripts/fuzz.sh BUILD_DIR [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}

mkdir -p "$build/fuzz-artifacts"
for target in "$build"/tests/fuzz/fuzz_*; do
  [[ -x $target ]] || continue
  name=$(basename "$target")
  corpus=$build/fuzz-corpus/$name
  mkdir -p "$corpus"
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 -close_fd_mask=3 \
    -artifact_prefix="$build/fuzz-artifacts/$name-" "$corpus" "tests/fuzz/corpus/$name" 2>"$build/$name.log" ||
    { tail -60 "$build/$name.log"; exit 1; }
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$name.log")
  echo "$name: ${runs:-?} inputs run, no crash"
done
