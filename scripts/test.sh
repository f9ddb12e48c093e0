#!/usr/bin/env bash
# Runs every test: the core's unit tests natively, then the Windows-side and
# end-to-end tests under Wine on an Xvfb display. Ends with one summary line.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
source scripts/wine_session.sh
source scripts/cups_session.sh

mkdir -p build/test-logs
passed=0
failed=0
failures=()

# gtest's XML report of one binary: add its counts to the totals.
count_results() {
  local xml=$1 name=$2
  if [ ! -s "$xml" ]; then
    failed=$((failed + 1)); failures+=("$name (no report: crashed or hung)")
    return
  fi
  local tests fails errors
  tests=$(grep -m1 -o 'tests="[0-9]*"' "$xml" | grep -o '[0-9]*')
  fails=$(grep -m1 -o 'failures="[0-9]*"' "$xml" | grep -o '[0-9]*')
  errors=$(grep -m1 -o 'errors="[0-9]*"' "$xml" | grep -o '[0-9]*')
  local disabled
  disabled=$(grep -m1 -o 'disabled="[0-9]*"' "$xml" | grep -o '[0-9]*')
  local bad=$((fails + errors))
  passed=$((passed + tests - bad - ${disabled:-0}))
  failed=$((failed + bad))
  if [ "$bad" -gt 0 ]; then
    failures+=("$name: $(grep -o 'testcase name="[^"]*"[^>]*classname="[^"]*"' "$xml" | head -0)")
    while read -r line; do failures+=("  $line"); done < <(
      awk '/<testcase /{match($0,/name="[^"]*"/); n=substr($0,RSTART+6,RLENGTH-7);
                        match($0,/classname="[^"]*"/); c=substr($0,RSTART+11,RLENGTH-12)}
           /<failure/{print c "." n}' "$xml" | sort -u)
  fi
}

echo "== core tests (native)"
./${QUILLO_NATIVE_BUILD:-build/native}/tests/core/quillo_core_tests --gtest_output=xml:build/test-logs/core.xml \
  > build/test-logs/core.log 2>&1
count_results build/test-logs/core.xml core
tail -n 3 build/test-logs/core.log

echo "== help file (native)"
./${QUILLO_NATIVE_BUILD:-build/native}/tests/help/quillo_help_tests --gtest_output=xml:build/test-logs/help.xml \
  > build/test-logs/help.log 2>&1
count_results build/test-logs/help.xml help
tail -n 1 build/test-logs/help.log

WIN=${QUILLO_WIN_BUILD:-build/win64}
export LC_ALL=ru_RU.UTF-8

run_wine_tests() {  # name exe [gtest args...]: runs one binary in the current session
  local name=$1 exe=$2; shift 2
  local xml="$ROOT/build/test-logs/$name.xml"
  rm -f "$xml"
  QUILLO_EXE="Z:${ROOT//\//\\}\\$WIN\\src\\app\\quillo.exe" \
    timeout 900 wine "$exe" --gtest_output="xml:Z:${xml//\//\\}" "$@" \
    > "build/test-logs/$name.log" 2>&1 </dev/null
}

# One lane: its own Xvfb display and Wine prefix, no printer unless asked.
start_lane() {  # name
  WINE_LOG=$ROOT/build/test-logs/wine-$1.log
  no_printer_session "$ROOT/build/cups-none-$1"
  QUILLO_OWN_DISPLAY=1 start_wine_session "$ROOT/build/wineprefix-$1"
}

# The end-to-end tests mostly wait for windows: they run in shards side by
# side, each in a lane of its own.
E2E_SHARDS=${QUILLO_E2E_SHARDS:-2}
rm -f build/test-logs/*.failed
lanes=()
for ((k = 0; k < E2E_SHARDS; k++)); do
  (
    start_lane "e2e-$k"
    trap 'stop_wine_session' EXIT
    GTEST_TOTAL_SHARDS=$E2E_SHARDS GTEST_SHARD_INDEX=$k \
      run_wine_tests "e2e-$k" "$WIN/tests/e2e/quillo_e2e_tests.exe" --gtest_filter=-AnyCodePage.*:Printing.*
  ) &
  lanes+=($!)
done

(
  start_lane other
  trap 'stop_wine_session' EXIT
  run_wine_tests win "$WIN/tests/win/quillo_win_tests.exe"
  run_wine_tests plugins "$WIN/tests/plugins/quillo_plugin_tests.exe"
  LC_ALL=en_US.UTF-8 run_wine_tests e2e-en_US "$WIN/tests/e2e/quillo_e2e_tests.exe" --gtest_filter=AnyCodePage.*
  # The release: the portable zip and the installer, made as `make dist` makes them.
  rm -f build/test-logs/dist.xml
  if ./scripts/dist.sh > build/test-logs/dist-build.log 2>&1; then
    rm -rf build/dist-test && mkdir -p build/dist-test
    unzip -q dist/quillo-*-portable.zip -d build/dist-test
    setup=$(ls dist/quillo-*-setup.exe)
    QUILLO_SETUP="Z:${ROOT//\//\\}\\${setup//\//\\}" \
    QUILLO_PORTABLE_DIR="Z:${ROOT//\//\\}\\build\\dist-test\\Quillo" \
      run_wine_tests dist "$WIN/tests/dist/quillo_dist_tests.exe"
  else
    echo "dist: building the zip and the installer failed" > build/test-logs/dist-build.failed
  fi
  stop_wine_session
  trap - EXIT
  unset CUPS_SERVER
  # Printing for real: a CUPS server of our own with a PDF printer, and a Wine
  # prefix that finds it.
  if start_cups_session "$ROOT/build/cups"; then
    WINE_LOG=$ROOT/build/test-logs/wine-print.log
    QUILLO_OWN_DISPLAY=1 start_wine_session "$ROOT/build/wineprefix-print"
    run_wine_tests e2e-print "$WIN/tests/e2e/quillo_e2e_tests.exe" --gtest_filter=Printing.*
    stop_wine_session
    stop_cups_session
  else
    echo "no CUPS session" > build/test-logs/e2e-print.failed
  fi
) &
lanes+=($!)

trap 'kill "${lanes[@]}" 2>/dev/null' EXIT
wait "${lanes[@]}"
trap - EXIT

report_wine_tests() {  # name
  echo "== $1 (Wine)"
  count_results "$ROOT/build/test-logs/$1.xml" "$1"
  grep -E '^\[  (PASSED|FAILED)  \]|tests ran' "build/test-logs/$1.log" 2>/dev/null | head -n 20
  # What each failed test printed, so that a run seen only from its output
  # tells why.
  awk '{ sub(/\r$/, "") }
       /^\[ RUN      \]/ { n = 0; delete out; next }
       /^\[       OK \]/ { n = 0; next }
       /^\[  FAILED  \] .*\([0-9]+ ms\)$/ { print $0 ":"; for (i = 0; i < n && i < 25; i++) print "    " out[i]; n = 0; next }
       { out[n++] = $0 }' "build/test-logs/$1.log" 2>/dev/null | head -n 120
}
for ((k = 0; k < E2E_SHARDS; k++)); do report_wine_tests "e2e-$k"; done
for name in win plugins e2e-en_US; do report_wine_tests "$name"; done
if [ -e build/test-logs/dist-build.failed ]; then
  failed=$((failed + 1)); failures+=("dist: building the zip and the installer failed (build/test-logs/dist-build.log)")
else
  report_wine_tests dist
fi
if [ -e build/test-logs/e2e-print.failed ]; then
  failed=$((failed + 1)); failures+=("e2e-print (no CUPS session: see build/test-logs/wine-print.log)")
else
  report_wine_tests e2e-print
fi

# The 32-bit plug-in calling conventions, under qemu-i386 when it is there.
echo "== abi (i386, qemu-i386)"
ABI_BUILD_DIR=$ROOT/build/abi-i386 ./scripts/abi_test.sh > build/test-logs/abi.log 2>&1
abi_rc=$?
abi_line=$(grep -E '^abi \(i386\): ' build/test-logs/abi.log | tail -n 1)
echo "$abi_line"
if [[ "$abi_line" =~ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
  passed=$((passed + BASH_REMATCH[1]))
  failed=$((failed + BASH_REMATCH[2]))
  [ "${BASH_REMATCH[2]}" -gt 0 ] && failures+=("abi (i386): see build/test-logs/abi.log")
elif [ "$abi_rc" -ne 0 ] || [[ ! "$abi_line" =~ skipped ]]; then
  failed=$((failed + 1)); failures+=("abi (i386): no result, see build/test-logs/abi.log")
fi

if [ ${#failures[@]} -gt 0 ]; then
  echo "Failed:"
  printf '  %s\n' "${failures[@]}"
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
