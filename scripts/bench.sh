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
