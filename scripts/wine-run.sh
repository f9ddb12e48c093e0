#!/usr/bin/env bash
# Runs one Windows program under Wine on a display and prefix of its own:
#   scripts/wine-run.sh TAG program.exe [arguments...]
# TAG names the prefix (build/wineprefix-TAG); output goes to stdout.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ROOT/scripts/wine_session.sh"
export LC_ALL=${LC_ALL:-ru_RU.UTF-8}
tag=$1; shift
exe=$1; shift
WINE_LOG=$ROOT/build/wine-$tag.log
QUILLO_OWN_DISPLAY=1 start_wine_session "$ROOT/build/wineprefix-$tag"
trap stop_wine_session EXIT
out=$(mktemp)
QUILLO_EXE=${QUILLO_EXE:-"Z:${ROOT//\//\\}\\build\\win64\\src\\app\\quillo.exe"} \
  timeout 1200 wine "$exe" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
