# Wall-clock timing shared by the benchmark scripts (sourced, not run).
# once CMD...: seconds of one run of CMD, output sent to $TIMED_OUTPUT (default /dev/null);
#   SETUP (a function name) runs untimed before it; a failing run stops the script.
# best CMD...: the best of $runs runs, with three decimals.
SETUP=:
TIMED_OUTPUT=${TIMED_OUTPUT:-/dev/null}
once() {
  "$SETUP"
  local t0 t1
  t0=$(date +%s.%N)
  "$@" >"$TIMED_OUTPUT" 2>&1 || { echo "failed: $*" >&2; exit 1; }
  t1=$(date +%s.%N)
  echo "$t1 - $t0" | bc -l
}
best() {
  local b=999999 t
  for ((i = 0; i < runs; i++)); do
    t=$(once "$@") || exit 1  # a failed run ends the caller's $(best ...) with it
    if (($(echo "$t < $b" | bc -l))); then b=$t; fi
  done
  printf '%.3f' "$b"
}
