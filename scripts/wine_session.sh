# Sourced by the run and test scripts: one Xvfb display and one warm
# wineserver with a fresh prefix under build/, torn down by stop_wine_session.
# Wine's output goes to files: its background services inherit pipes and a
# reader of such a pipe can wait forever.

QUILLO_ROOT=${QUILLO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export WINEARCH=win64

start_wine_session() {
  local prefix=$1
  export WINEPREFIX=$prefix
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  WINE_LOG=${WINE_LOG:-$QUILLO_ROOT/build/wine.log}
  : > "$WINE_LOG"
  XVFB_PID=
  if [ -z "${DISPLAY:-}" ] || [ -n "${QUILLO_OWN_DISPLAY:-}" ]; then
    # Sessions started side by side take their displays one at a time.
    local lock_fd
    mkdir -p "$QUILLO_ROOT/build"
    exec {lock_fd}>"$QUILLO_ROOT/build/.display.lock"
    flock "$lock_fd"
    local n
    for n in $(seq 91 140); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
      Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >>"$WINE_LOG" 2>&1 {lock_fd}>&- &
      XVFB_PID=$!
      export DISPLAY=":$n"
      break
    done
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break
      sleep 0.1
    done
    exec {lock_fd}>&-
  fi
  wineserver -p >>"$WINE_LOG" 2>&1
  wine wineboot -i >>"$WINE_LOG" 2>&1 </dev/null
  wineserver -w >/dev/null 2>&1 &
  sleep 0.2
  # A warm server keeps later starts fast; -p above keeps it alive.
}

stop_wine_session() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" >/dev/null 2>&1 || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
