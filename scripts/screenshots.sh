#!/usr/bin/env bash
# Makes the README's pictures under Xvfb from the built program:
# docs/images/dos-table.png, find-panel.png and menu.png.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
source scripts/wine_session.sh
export LC_ALL=ru_RU.UTF-8
OUT=$ROOT/docs/images
SHOT_DIR=$ROOT/build/screenshots
rm -rf "$SHOT_DIR" && mkdir -p "$SHOT_DIR" "$OUT"
cp build/win64/src/app/quillo.exe build/win64/src/app/Quillo2.chm "$SHOT_DIR/" 2>/dev/null
cp examples/dos866-sample.txt "$SHOT_DIR/"
# A monospaced font this machine has, so the DOS frames line up in the picture.
printf '[Font]\r\nName=DejaVu Sans Mono\r\nSize=11\r\nCharset=204\r\n' > "$SHOT_DIR/quillo.ini"
WINE_LOG=$ROOT/build/screenshots.log
QUILLO_OWN_DISPLAY=1 start_wine_session "$ROOT/build/wineprefix-shots"
trap stop_wine_session EXIT
# No window manager runs on Xvfb: Wine draws the window frames itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$WINE_LOG" 2>&1

# The main window's X id and geometry, found by its title.
window_id() { xwininfo -root -tree 2>/dev/null | grep -m1 'dos866-sample.txt - Quillo' | awk '{print $1}'; }
shoot() {  # name [extra pixels below the window, for an open menu]
  local id
  id=$(window_id)
  [ -n "$id" ] || { echo "screenshots: the window is gone before $1" >&2; exit 1; }
  eval "$(xwininfo -id "$id" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4} /Width/{print "w="$2} /Height/{print "h="$2}')"
  import -window root -crop "${w}x$((h + ${2:-0}))+${x}+${y}" "$OUT/$1.png"
  echo "docs/images/$1.png"
}

(cd "$SHOT_DIR" && wine quillo.exe "Z:${SHOT_DIR//\//\\}\\dos866-sample.txt" >>"$WINE_LOG" 2>&1) &
for _ in $(seq 1 100); do [ -n "$(window_id)" ] && break; sleep 0.2; done
sleep 1.5
id=$(window_id)
eval "$(xwininfo -id "$id" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4}')"
xdotool mousemove $((x + 300)) $((y + 250))
shoot dos-table

# The find panel with a word to look for.
xdotool key --clearmodifiers ctrl+f
sleep 0.5
xdotool type --delay 40 "Windows"
xdotool key Return
sleep 0.8
shoot find-panel

# The "Текст" menu, opened from the keyboard (F10, then right to it).
xdotool key F10 Right Right Right Right Down
sleep 0.8
shoot menu
xdotool key Escape Escape
sleep 0.3
xdotool key Escape
sleep 1
