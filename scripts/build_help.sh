#!/usr/bin/env bash
# Builds Quillo2.chm: build_help.sh KEYBOARD_TOOL HELP_SOURCE_DIR OUT_DIR
# Topics are written in UTF-8 and compiled in Windows-1251, the code page the
# help viewer reads Russian topics in.
set -euo pipefail
tool=$1 src=$2 out=$3
work=$out/chm-src
rm -rf "$work"
mkdir -p "$work"
for f in "$src"/topics/*.html "$src"/toc.hhc "$src"/Quillo2.hhp; do
  iconv -f UTF-8 -t CP1251 "$f" > "$work/$(basename "$f")"
done
cp "$src"/topics/*.css "$work/"
"$tool" | iconv -f UTF-8 -t CP1251 > "$work/keyboard.ru.html"
(cd "$work" && chmcmd --no-html-scan Quillo2.hhp > "$out/chmcmd.log" 2>&1) || { cat "$out/chmcmd.log"; exit 1; }
mv "$work/Quillo2.chm" "$out/Quillo2.chm"
