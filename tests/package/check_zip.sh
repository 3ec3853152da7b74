#!/usr/bin/env bash
# Checks the Windows zip as its users get it: exactly its five files; a 64-bit
# console program that needs no DLL beyond what every Windows has; and the
# same bytes when built again from a copy of the sources elsewhere, later by
# the clock, in another time zone and locale, under another umask.
# Usage: check_zip.sh WINDOWS_BUILD_DIR SOURCE_DIR FREEGLUT_SOURCE_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
source=$2
freeglut=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-zip-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
export LC_ALL=C
fail() { echo "FAIL: $*" >&2; exit 1; }
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

# What Explorer, the taskbar and Windows' loader read from the exe itself.
exe=$work/$name/flames.exe
resources=$(wrestool -l "$exe")
grep -q -- "--type=14 --name='GLUT_ICON'" <<<"$resources" || fail "no GLUT_ICON icon group for freeglut's window class"
manifest=$(wrestool -x --raw --type=24 "$exe")
grep -q 'requestedExecutionLevel level="asInvoker"' <<<"$manifest" || fail "the manifest asks for no execution level"

. "$(dirname "$0")/elsewhere.sh"
copy=$(copy_elsewhere "$source" "$work")
cp -r "$freeglut" "$copy/freeglut"
(cd "$copy" && later cmake --preset windows -DFLAMES_FREEGLUT_SOURCE="$copy/freeglut" >/dev/null &&
  later cmake --build --preset windows >/dev/null)
again=$copy/build-windows/$name.zip
cmp -s "$zip" "$again" || { diffoscope --text - "$zip" "$again" | head -n 60 >&2; fail "a second build differs"; }
echo "ok: $name.zip, $(stat -c %s "$zip") bytes, imports $imports, reproducible (sha256 $(sha256sum <"$zip" | cut -c1-16)…)"
