#!/usr/bin/env bash
# Installs what the tests need, checks the sources' layout, builds with warnings as
# errors, and runs every test: the unit and end-to-end tests, the installation into a
# scratch root and the .deb, then the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short run of each fuzz target, then the unit tests of
# a 32-bit build, then the Windows builds: their unit tests and the
# command-line tool against the Linux build's, under Wine, and their packages. Ends with
# one summary line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== source format"
scripts/check-format.sh

# Warnings stop these builds (a plain build only reports them).
strict=(-DVELMORIN_WERROR=ON)

passed=0
# Runs ctest on a build folder (with any further ctest arguments) and adds its count of
# passed tests.
run_ctest() {
  local log count
  log=$(mktemp)
  ctest --test-dir "$1" "${@:2}" --output-on-failure -j "$(nproc)" | tee "$log"
  count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")
  rm -f "$log"
  # A build folder without tests is a fault of the build, not a pass.
  [[ -n $count ]] || { echo "test.sh: no test ran in $1" >&2; exit 1; }
  passed=$((passed + count))
}

# Adds the unit test cases that passed in a GoogleTest XML report, less the one ctest test
# that ran them all (and is counted already).
add_gtest_cases() {
  passed=$((passed + $(grep -c 'result="completed"' "$1") - 1))
}

# Cross-built with MinGW-w64 and run under Wine. Wine never outlives the run: every test
# has a time limit, and each build folder's wineserver is stopped at the end.
stop_wine() {
  local prefix
  for prefix in build-win64/wineprefix build-win32/wineprefix build/wineprefix; do
    scripts/wine-session.sh stop "$PWD/$prefix"
  done
}
windows_stage() {
  echo "== Windows builds (MinGW-w64), unit tests and the command-line tool under Wine"
  trap stop_wine EXIT
  # Word placement's libraries for x86_64, built once into a cache outside the checkout.
  local speech
  speech=$(scripts/build-windows-speech.sh)
  scripts/build-windows.sh build-win64 x86_64 "${strict[@]}" \
    -DVELMORIN_WINDOWS_SPEECH_PREFIX="$speech"
  scripts/build-windows.sh build-win32 i686 "${strict[@]}"
  rm -f build-win64/unit_tests.xml build-win32/unit_tests.xml
  run_ctest build-win64
  add_gtest_cases build-win64/unit_tests.xml
  # i686: compiled and linked everywhere, its unit tests run only where Wine runs 32-bit
  # programs (cmake/mingw-w64.cmake finds no such Wine beside Debian 12's wine64).
  if ctest --test-dir build-win32 -N | grep -q 'unit_tests'; then
    run_ctest build-win32
    add_gtest_cases build-win32/unit_tests.xml
  else
    echo "i686: built and linked; no Wine here runs 32-bit programs, so its unit tests did not run"
  fi
  # The Linux build (already built) gains the comparison with this velmorin-cli.exe.
  scripts/build.sh build "${strict[@]}" -DVELMORIN_WINDOWS_CLI="$PWD/build-win64/src/cli/velmorin-cli.exe"
  run_ctest build -L wine
  local arch dir
  for arch in x86_64 i686; do
    dir=build-win64
    [[ $arch == i686 ]] && dir=build-win32
    (cd "$dir" && cpack -G ZIP >/dev/null)
    echo "package: $dir/velmorin-windows-$arch.zip"
    if [[ $arch == x86_64 ]]; then
      echo "package: $(scripts/make-windows-installer.sh "$dir")"
    fi
  done
}

# The Wine comparison joins the Linux build only in the Windows stage, against that stage's
# velmorin-cli.exe. "scripts/test.sh windows" runs that stage alone, with the Linux build.
echo "== build and test"
scripts/build.sh build "${strict[@]}" -DVELMORIN_WINDOWS_CLI=
if [[ ${1:-} == windows ]]; then
  windows_stage
  echo "windows tests: $passed passed, 0 failed"
  exit 0
fi
install_stage() {
  echo "== installation: a scratch root run by an ordinary user, and the .deb"
  scripts/install-test.sh build
  passed=$((passed + 1))
}
if [[ ${1:-} == install ]]; then
  install_stage
  echo "install tests: $passed passed, 0 failed"
  exit 0
fi
run_ctest build
install_stage

echo "== sanitizers (clang, address + undefined) and fuzz targets"
CC=clang CXX=clang++ scripts/build.sh build-asan "${strict[@]}" \
  -DVELMORIN_SANITIZE=address,undefined -DVELMORIN_FUZZ=ON -DVELMORIN_BUILD_BENCH=OFF -DVELMORIN_BUILD_GUI=OFF
run_ctest build-asan

fuzz_log=$(mktemp)
scripts/fuzz.sh build-asan "${FUZZ_SECONDS:-60}" | tee "$fuzz_log"
fuzzers=$(grep -c 'no crash' "$fuzz_log")
rm -f "$fuzz_log"

# The program's first platform is 32-bit: the core, the command-line tool and the unit
# tests built with -m32 keep offsets past 2 GiB and 32-bit arithmetic honest there.
echo "== 32-bit build (g++ -m32) and unit tests"
CC=gcc CXX=g++ scripts/build.sh build-m32 "${strict[@]}" -DCMAKE_TOOLCHAIN_FILE=cmake/m32.cmake \
  -DVELMORIN_GTEST_SOURCE_DIR=/usr/src/googletest \
  -DVELMORIN_BUILD_E2E=OFF -DVELMORIN_BUILD_BENCH=OFF -DVELMORIN_BUILD_GUI=OFF
run_ctest build-m32

windows_stage

echo "all tests: $((passed + fuzzers)) passed, 0 failed"
