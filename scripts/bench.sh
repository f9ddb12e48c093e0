#!/usr/bin/env bash
# Benchmarks: the core natively (Google Benchmark), then one table of the
# editor's paths under Wine against the floor of Wine's rich-edit control
# (build/bench/table.md; BENCH_BIG=1 adds every path on 20 MB texts). Not part of
# the tests.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
source scripts/wine_session.sh
export LC_ALL=ru_RU.UTF-8
if [ -x build/native/bench/core/quillo_core_bench ]; then
  echo "== core"
  ./build/native/bench/core/quillo_core_bench --benchmark_min_time=0.2
fi
echo "== the editor under Wine: every path against the floor"
mkdir -p build/bench
WINE_LOG=$ROOT/build/bench/wine.log
QUILLO_OWN_DISPLAY=1 start_wine_session "$ROOT/build/wineprefix-bench"
trap stop_wine_session EXIT
QUILLO_EXE="Z:${ROOT//\//\\}\\build\\win64\\src\\app\\quillo.exe" \
  wine build/win64/bench/app/quillo_bench_table.exe "Z:${ROOT//\//\\}\\build\\bench" 2>>"$WINE_LOG"
