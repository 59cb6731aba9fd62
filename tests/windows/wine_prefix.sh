#!/usr/bin/env bash
# Starts or stops the Wine the Windows build's tests run in. WINEPREFIX names
# the scratch prefix (made here when missing); logs go beside it.
#   wine_prefix.sh start   a persistent wineserver, the prefix booted, and a
#                          virtual display (Xvfb) when there is no DISPLAY
#   wine_prefix.sh stop    the wineserver and every Wine process of the prefix
#                          ended, and the virtual display
# The desktop program's tests find the virtual display's number in
# $WINEPREFIX.display (see wine_display.sh).
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX names the scratch prefix}"
export WINEDEBUG=${WINEDEBUG:--all} WINEARCH=${WINEARCH:-win64}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
log=${WINEPREFIX%/}.log
display_file=${WINEPREFIX%/}.display
case "${1:-}" in
  start)
    mkdir -p "$WINEPREFIX"
    rm -f "$display_file"
    if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
      # Xvfb writes its display number to the descriptor once it takes clients.
      Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file.new" </dev/null >>"$log" 2>&1 &
      echo $! >"$display_file.pid"
      for _ in $(seq 100); do
        [ -s "$display_file.new" ] && break
        sleep 0.1
      done
      if [ -s "$display_file.new" ]; then
        mv "$display_file.new" "$display_file"
        export DISPLAY=":$(cat "$display_file")"
      fi
    fi
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
    if [ -s "$display_file.pid" ]; then
      kill "$(cat "$display_file.pid")" 2>/dev/null || true
    fi
    rm -f "$display_file" "$display_file.new" "$display_file.pid"
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
