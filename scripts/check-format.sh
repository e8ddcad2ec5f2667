#!/usr/bin/env bash
# Checks that every tracked C and C++ source is laid out as the repository's .clang-format
# says; names the files that are not, and the command that fixes them.
#   scripts/check-format.sh
set -euo pipefail
cd "$(dirname "$0")/.."

command -v clang-format >/dev/null ||
  { echo "check-format: clang-format is not installed (scripts/install-deps.sh installs it)" >&2; exit 1; }

mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.c')
if clang-format --dry-run --Werror "${sources[@]}" >/dev/null 2>&1; then
  echo "check-format: ${#sources[@]} sources formatted"
  exit 0
fi

# One file at a time, to name each one that differs.
unformatted=()
for f in "${sources[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done

if [[ ${#unformatted[@]} -eq 0 ]]; then
  # Every file passed alone: clang-format itself failed (its configuration, say).
  clang-format --dry-run --Werror "${sources[@]}" >/dev/null || true
  echo "check-format: clang-format failed" >&2
  exit 1
fi
{
  echo "check-format: ${#unformatted[@]} file(s) not formatted with .clang-format:"
  printf '  %s\n' "${unformatted[@]}"
  echo "Fix with:"
  echo "  clang-format -i ${unformatted[*]}"
} >&2
exit 1
