#!/usr/bin/env bash
# Builds dist/quillo-VERSION-portable.zip and dist/quillo-VERSION-setup.exe from
# the build folders (make dist builds them first). The version is the
# project's, from CMakeLists.txt: the same the version resource carries.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
VERSION=$(sed -n 's/^project(Quillo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$VERSION" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }

stage=build/dist/Quillo
rm -rf build/dist dist
mkdir -p "$stage/PlugIns" "$stage/x86/PlugIns" "$stage/SDK" dist

cp build/win64/src/app/quillo.exe "$stage/"
cp build/win32/src/app/quillo.exe "$stage/x86/"
cp build/native/help/Quillo2.chm "$stage/"
cp build/native/help/Quillo2.chm "$stage/x86/"
cp build/win64/sdk/samples/*.dll "$stage/PlugIns/"
cp build/win32/sdk/samples/*.dll "$stage/x86/PlugIns/"
cp sdk/quillo_plugin.h sdk/README.md "$stage/SDK/"
cp -r sdk/samples "$stage/SDK/samples"
# Windows users read it in any editor: UTF-8 with its mark, CR LF.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' installer/README.txt; } > "$stage/README.txt"

makensis -V2 -DVERSION="$VERSION" -DSTAGE="$ROOT/$stage" -DICON="$ROOT/src/app/resources/quillo.ico" \
  -DOUTFILE="$ROOT/dist/quillo-$VERSION-setup.exe" installer/quillo.nsi

# The portable copy: an empty settings file beside each program makes it keep
# its settings there, wherever it is started from.
: > "$stage/quillo.ini"
: > "$stage/x86/quillo.ini"
(cd build/dist && zip -q -r -X "$ROOT/dist/quillo-$VERSION-portable.zip" Quillo)
ls -l dist
