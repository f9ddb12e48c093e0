#!/usr/bin/env bash
# Starts Quillo under Wine with the Russian locale on the DOS-866 sample.
# Without an X display it runs on Xvfb, saves a screenshot of the window to
# build/quillo.png and closes the program through its normal exit.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
source scripts/wine_session.sh
export LC_ALL=ru_RU.UTF-8

RUN_DIR=$ROOT/build/run
mkdir -p "$RUN_DIR"
cp build/win64/src/app/quillo.exe "$RUN_DIR/"
cp build/win64/src/app/Quillo2.chm "$RUN_DIR/" 2>/dev/null || true
cp examples/dos866-sample.txt "$RUN_DIR/"
SAMPLE="Z:${RUN_DIR//\//\\}\\dos866-sample.txt"

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=${WINEPREFIX:-$ROOT/build/wineprefix-run}
  [ -d "$WINEPREFIX" ] || wine wineboot -i >/dev/null 2>&1
  cd "$RUN_DIR" && exec wine quillo.exe "$SAMPLE"
fi

WINE_LOG=$ROOT/build/run.log
QUILLO_OWN_DISPLAY=1 start_wine_session "$ROOT/build/wineprefix-run"
trap stop_wine_session EXIT
# No window manager runs on Xvfb: Wine draws the window frames itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$WINE_LOG" 2>&1
(cd "$RUN_DIR" && wine quillo.exe "$SAMPLE" >>"$WINE_LOG" 2>&1) &
QUILLO_PID=$!
for _ in $(seq 1 100); do
  xwininfo -root -tree 2>/dev/null | grep -q 'dos866-sample.txt - Quillo' && break
  sleep 0.2
done
sleep 1.5
import -window root build/quillo.png && echo "Screenshot: build/quillo.png"
xdotool key Escape
for _ in $(seq 1 50); do
  kill -0 "$QUILLO_PID" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$QUILLO_PID" 2>/dev/null; then
  echo "Quillo did not close by itself" >&2
  exit 1
fi
echo "Quillo closed through its normal exit."
