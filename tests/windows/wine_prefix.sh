#!/usr/bin/env bash
# Starts or stops the Wine the Windows build's tests run in. WINEPREFIX names
# the scratch prefix (made here when missing); logs go beside it.
#   wine_prefix.sh start   a persistent wineserver, the prefix booted
#   wine_prefix.sh stop    the wineserver and every Wine process of the prefix ended
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX names the scratch prefix}"
export WINEDEBUG=${WINEDEBUG:--all} WINEARCH=${WINEARCH:-win64}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
log=${WINEPREFIX%/}.log
case "${1:-}" in
  start)
    mkdir -p "$WINEPREFIX"
    # The server detaches; its output (thousands of lines on each pty hang-up)
    # goes to the log, never to the pipe of a test.
    wineserver -p </dev/null >>"$log" 2>&1 || true
    # The first program boots the prefix and starts Wine's services, which keep
    # its stderr: give them the log instead.
    if ! wine cmd /c exit 0 </dev/null >>"$log" 2>&1; then
      echo "wine could not start in $WINEPREFIX; see $log" >&2
      exit 1
    fi
    ;;
  stop)
    wineserver -k </dev/null >>"$log" 2>&1 || true
    wineserver -w </dev/null >>"$log" 2>&1 || true
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
