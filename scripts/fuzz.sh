#!/usr/bin/env bash
# Builds the INI reader's fuzz target with libFuzzer and runs it for a bounded
# time. FUZZ_SECONDS sets the time (default 60). Exits non-zero on a crash.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/fuzz"
seconds="${FUZZ_SECONDS:-60}"
cxx="${CXX_FUZZ:-clang++}"

have_libfuzzer() {
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
    "$cxx" -x c++ -fsanitize=fuzzer - -o /dev/null >/dev/null 2>&1
}

if ! command -v "$cxx" >/dev/null 2>&1 || ! have_libfuzzer; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "fuzz: clang++ with libFuzzer is missing; install clang and libclang-rt-dev as root" >&2
    exit 1
  fi
  echo "fuzz: installing clang and the libFuzzer runtime"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q >/dev/null
  pkgs=(clang)
  for p in libclang-rt-14-dev libclang-rt-dev; do
    if apt-cache show "$p" >/dev/null 2>&1; then pkgs+=("$p"); break; fi
  done
  apt-get install -y -q --no-install-recommends "${pkgs[@]}" >/dev/null
  have_libfuzzer || { echo "fuzz: libFuzzer still unavailable" >&2; exit 1; }
fi

mkdir -p "$out/corpus/ini"
# A few seeds so the fuzzer starts from the file's real shape.
printf '[Options]\r\nWordWrap=1\r\nDefCoding=DOS\r\nBackground=$FFFFFF\r\n\r\n[Print]\r\nLeft=12,5\r\n' \
  >"$out/corpus/ini/seed_options"
printf '; note\n[a]\nk = v = w\n[A]\nk=2\nstray\n[]\n=x\n' >"$out/corpus/ini/seed_odd"

"$cxx" -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" "$root/tests/fuzz/ini_fuzz.cpp" "$root/src/core/ini_file.cpp" \
  -o "$out/ini_fuzz"

cd "$out"
echo "fuzz: running ini_fuzz for ${seconds} s"
./ini_fuzz -max_total_time="$seconds" -print_final_stats=1 -max_len=4096 corpus/ini
