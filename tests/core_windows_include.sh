#!/usr/bin/env bash
# The core reaches Windows only through its platform folder: no other core file includes
# windows.h (or a header of the Windows API that pulls it in). Prints every such include
# and fails when there is one.
#   tests/core_windows_include.sh SRC_CORE_DIR
set -euo pipefail
core=${1:?usage: core_windows_include.sh SRC_CORE_DIR}
hits=$(grep -rniE '#[[:space:]]*include[[:space:]]*[<"](windows|winbase|winuser|windef|shellapi|commdlg|commctrl)\.h[>"]' \
  "$core" --include='*.h' --include='*.cpp' | grep -v "^$core/platform/" || true)
if [[ -n $hits ]]; then
  echo "Windows headers outside the core's platform folder:"
  echo "$hits"
  exit 1
fi
echo "no Windows headers outside the core's platform folder"
