#!/usr/bin/env bash
# Starts or stops the Wine session that Windows programs of a build run in: one prefix
# (WINEPREFIX) and one persistent wineserver, so that each program starts quickly and no
# server outlives the tests.
#   scripts/wine-session.sh start|stop PREFIX [WINE]
# WINE is the loader to run programs with (default /usr/lib/wine/wine64); its wineserver
# lies beside it. Every step is time-limited: Wine must never hold up a test run.
set -euo pipefail
action=${1:?usage: wine-session.sh start|stop PREFIX [WINE]}
export WINEPREFIX=${2:?usage: wine-session.sh start|stop PREFIX [WINE]}
wine=${3:-/usr/lib/wine/wine64}
server=$(dirname "$wine")/wineserver
[[ -x $server ]] || server=wineserver
export WINEDEBUG=-all

case $action in
  start)
    mkdir -p "$WINEPREFIX"
    # The server and the services that wineboot starts live on after this script: none
    # may keep the caller's output open (ctest waits for it to close).
    # A server already running for this prefix (an earlier run's) serves as well.
    timeout 60 "$server" -p </dev/null >/dev/null 2>&1 || true
    timeout 300 "$wine" wineboot --init </dev/null >/dev/null 2>&1
    ;;
  stop)
    [[ -d $WINEPREFIX ]] || exit 0
    timeout 60 "$server" -k </dev/null >/dev/null 2>&1 || true
    ;;
  *) echo "wine-session.sh: start or stop, not $action" >&2; exit 2 ;;
esac
