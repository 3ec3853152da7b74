#!/usr/bin/env bash
# Checks the Windows zip as its users get it: exactly its five files; a 64-bit
# console program that needs no DLL beyond what every Windows has; and the
# same bytes when built again from a copy of the sources elsewhere, later by
# the clock, in another time zone and locale, under another umask.
# Usage: check_zip.sh WINDOWS_BUILD_DIR SOURCE_DIR VERSION FREEGLUT_SOURCE_DIR BUILD_TYPE
set -euo pipefail

build=$(cd "$1" && pwd)
source=$2
version=$3
freeglut=$4
build_type=$5
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
wrestool -x --type=14 --name=GLUT_ICON "$exe" >"$work/icon.ico"
icons=$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | xargs)
[ "$icons" = "16 24 32 48 64 256" ] || fail "the icon's sizes are $icons"
declare -A strings=([FileDescription]="Языки пламени" [ProductName]=flames [FileVersion]=$version
  [ProductVersion]=$version [OriginalFileName]=flames.exe)
for tag in "${!strings[@]}"; do
  got=$(exiftool -s3 -charset UTF8 "-$tag" "$exe")
  [ "$got" = "${strings[$tag]}" ] || fail "version block: $tag is '$got', not '${strings[$tag]}'"
done
[[ $(exiftool -s3 -LegalCopyright "$exe") == "© "* ]] || fail "version block: no copyright"
manifest=$(wrestool -x --raw --type=24 "$exe")
grep -q 'requestedExecutionLevel level="asInvoker"' <<<"$manifest" || fail "the manifest asks for no execution level"
# Windows 7, 8, 8.1, 10 and 11.
for os in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
  1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  grep -q "supportedOS Id=\"{$os}\"" <<<"$manifest" || fail "the manifest does not list $os"
done

. "$(dirname "$0")/elsewhere.sh"
copy=$(copy_elsewhere "$source" "$work")
cp -r "$freeglut" "$copy/freeglut"
later cmake -S "$copy" -B "$copy/build" -DBUILD_TESTING=OFF -DFLAMES_FREEGLUT_SOURCE="$copy/freeglut" \
  -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/toolchains/windows-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE="$build_type" >/dev/null
later cmake --build "$copy/build" >/dev/null
again=$copy/build/$name.zip
cmp -s "$zip" "$again" || { diffoscope --text - "$zip" "$again" | head -n 60 >&2; fail "a second build differs"; }
echo "ok: $name.zip, $(stat -c %s "$zip") bytes, imports $imports, reproducible (sha256 $(sha256sum <"$zip" | cut -c1-16)…)"
