#!/usr/bin/env bash
# Checks the Windows zip as its users get it: exactly its five files; a 64-bit
# console program that needs no DLL beyond what every Windows has; and the
# same bytes when built again from a copy of the sources elsewhere, later by
# the clock, in another time zone and locale, under another umask.
# Usage: check_zip.sh WINDOWS_BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-zip-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
export LC_ALL=C
fail() { echo "FAIL: $*" >&2; exit 1; }
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
zip=$(find "$build" -maxdepth 1 -name 'flames-*-windows-x86_64.zip')
[ -f "$zip" ] || fail "no zip in $build"
name=$(basename "$zip" .zip)

diff -u <(printf "$name/%s\n" "" LICENSE-freeglut.txt LICENSE.txt README.txt flames.exe) \
  <(zipinfo -1 "$zip" | sort) || fail "other files in the zip"
unzip -q "$zip" -d "$work"
headers=$(x86_64-w64-mingw32-objdump -p "$work/$name/flames.exe")
grep -q '^Magic.*PE32+' <<<"$headers" || fail "not a 64-bit program"
grep -q '^Subsystem.*(Windows CUI)' <<<"$headers" || fail "not a console program"
imports=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | sort | xargs)
[ "$imports" = "ADVAPI32.dll GDI32.dll KERNEL32.dll OPENGL32.dll USER32.dll WINMM.dll msvcrt.dll" ] ||
  fail "it imports $imports"

. "$(dirname "$0")/elsewhere.sh"
copy=$(copy_elsewhere "$(cached CMAKE_HOME_DIRECTORY)" "$work")
cp -r "$(cached FLAMES_FREEGLUT_SOURCE)" "$copy/freeglut"
later cmake -S "$copy" -B "$copy/build" -DBUILD_TESTING=OFF -DFLAMES_FREEGLUT_SOURCE="$copy/freeglut" \
  -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/toolchains/windows-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE="$(cached CMAKE_BUILD_TYPE)" >/dev/null
later cmake --build "$copy/build" >/dev/null
again=$copy/build/$name.zip
cmp -s "$zip" "$again" || { diffoscope --text - "$zip" "$again" | head -n 60 >&2; fail "a second build differs"; }
echo "ok: $name.zip, $(stat -c %s "$zip") bytes, imports $imports, reproducible (sha256 $(sha256sum <"$zip" | cut -c1-16)…)"
