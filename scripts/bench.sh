#!/usr/bin/env bash
# Benchmarks: the core natively (Google Benchmark) and the editor's timing
# driver under Wine. Not part of the tests.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
source scripts/wine_session.sh
export LC_ALL=ru_RU.UTF-8
echo "== core"
./build/native/bench/core/quillo_core_bench --benchmark_min_time=0.2
echo "== editor under Wine (1 MB document)"
WINE_LOG=$ROOT/build/bench-wine.log
QUILLO_OWN_DISPLAY=1 start_wine_session "$ROOT/build/wineprefix-bench"
trap stop_wine_session EXIT
wine build/win64/bench/app/quillo_editor_timing.exe 1024 2>>"$WINE_LOG"
echo "== opening a 4 MB DOS-866 file: Quillo, a bare stream-in and Wine's notepad"
QUILLO_EXE="Z:${ROOT//\//\\}\\build\\win64\\src\\app\\quillo.exe" \
  wine build/win64/tests/e2e/quillo_e2e_tests.exe --gtest_also_run_disabled_tests \
  --gtest_filter='OpenTiming.*' 2>>"$WINE_LOG" | grep -v '^\[ '
echo "== Replace all beside the load of the same document"
wine build/win64/tests/win/quillo_win_tests.exe \
  --gtest_filter='FindPanelTest.ReplaceAllOfALargeDocument*' 2>>"$WINE_LOG" | grep -v '^\[ '
