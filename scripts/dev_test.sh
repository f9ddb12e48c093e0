#!/usr/bin/env bash
# For developers: runs one Windows-side test binary under Wine with a gtest
# filter, against a chosen build folder, in a prefix of its own.
#   scripts/dev_test.sh win|e2e FILTER [BUILD]     (BUILD defaults to build/win64)
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
kind=$1 filter=$2 build=${3:-build/win64}
#   QUILLO_WITH_PRINTER=1 gives Wine the test printer of scripts/cups_session.sh
#   (for Printing.*); otherwise Wine sees no printer.
source scripts/wine_session.sh
source scripts/cups_session.sh
export LC_ALL=${LC_ALL:-ru_RU.UTF-8}
tag=dev-$kind-$$
mkdir -p build/test-logs
if [ -n "${QUILLO_WITH_PRINTER:-}" ]; then
  start_cups_session "$ROOT/build/cups-$tag" || exit 1
else
  no_printer_session "$ROOT/build/cups-$tag"
fi
WINE_LOG=$ROOT/build/test-logs/$tag-wine.log
QUILLO_OWN_DISPLAY=1 start_wine_session "$ROOT/build/wineprefix-$tag"
trap 'stop_wine_session; stop_cups_session; rm -rf "$ROOT/build/wineprefix-$tag" "$ROOT/build/cups-$tag"' EXIT
exe=$build/tests/$kind/quillo_${kind}_tests.exe
QUILLO_EXE="Z:${ROOT//\//\\}\\${build//\//\\}\\src\\app\\quillo.exe" \
  timeout 900 wine "$exe" --gtest_filter="$filter" > "build/test-logs/$tag.log" 2>&1 </dev/null
grep -E '^\[ +(OK|FAILED|PASSED) +\]|Failure|Which is|Expected|Actual|error' "build/test-logs/$tag.log" | head -n 80
