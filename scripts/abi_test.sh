#!/usr/bin/env bash
# The 32-bit plug-in calling conventions, checked as a Linux i386 program
# under qemu-i386 (32-bit programs cannot run here otherwise). Prints
# "abi (i386): N passed, N failed"; exits 0 with a "skipped" line when
# qemu-i386 (package qemu-user) or a 32-bit g++ (g++-multilib) is missing.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${ABI_BUILD_DIR:-$ROOT/build/abi-i386}

if ! command -v qemu-i386 >/dev/null 2>&1; then
  echo "abi (i386): skipped: qemu-i386 not found (package qemu-user)"
  exit 0
fi
mkdir -p "$OUT"
if ! echo 'int main() {}' | g++ -m32 -x c++ - -o "$OUT/probe" >/dev/null 2>&1; then
  echo "abi (i386): skipped: g++ -m32 cannot build (packages gcc-multilib g++-multilib)"
  exit 0
fi

if ! g++ -m32 -std=c++20 -O2 -Wall -Wextra -static \
    -I"$ROOT/src" -I"$ROOT/sdk" -I"$ROOT/tests/abi" \
    "$ROOT/tests/abi/abi_test.cpp" "$ROOT/tests/abi/abi_calls.S" "$ROOT/src/app/plugins/host_table.cpp" \
    -o "$OUT/abi_test" >"$OUT/build.log" 2>&1; then
  cat "$OUT/build.log"
  echo "abi (i386): 0 passed, 1 failed (does not build)"
  exit 1
fi
[ -s "$OUT/build.log" ] && cat "$OUT/build.log"

qemu-i386 "$OUT/abi_test"
rc=$?
if [ "$rc" -gt 1 ]; then
  echo "abi (i386): 0 passed, 1 failed (the test program ended with status $rc)"
fi
exit "$rc"
