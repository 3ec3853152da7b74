#!/usr/bin/env bash
# Builds the Windows zip (the program, the licences, a README) reproducibly:
# dated by the changelog, in a fixed order, with fixed modes, no extra fields.
# Usage: build-zip.sh BUILD_DIR SOURCE_DIR VERSION FREEGLUT_SOURCE_DIR   Prints the zip's path.
set -euo pipefail

[ $# -eq 4 ] || { echo "usage: $0 BUILD_DIR SOURCE_DIR VERSION FREEGLUT_SOURCE_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)
source=$2
freeglut=$4
name=flames-$3-windows-x86_64
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-zip.XXXXXX")
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 TZ=UTC
epoch=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$source/debian/changelog" -STimestamp)}

# Text files with Windows line ends, for Notepad of any age.
mkdir "$work/$name"
cp "$build/flames.exe" "$work/$name/flames.exe"
sed 's/$/\r/' "$source/LICENSE" >"$work/$name/LICENSE.txt"
sed 's/$/\r/' "$freeglut/COPYING" >"$work/$name/LICENSE-freeglut.txt"
sed 's/$/\r/' "$build/README.txt" >"$work/$name/README.txt"
chmod 755 "$work/$name" "$work/$name/flames.exe"
chmod 644 "$work/$name"/*.txt
find "$work/$name" -exec touch -h -d "@$epoch" {} +
rm -f "$build/$name.zip"
(cd "$work" && printf '%s\n' "$name/" "$name/flames.exe" "$name/LICENSE.txt" "$name/LICENSE-freeglut.txt" \
  "$name/README.txt" | zip -q -X -@ "$build/$name.zip")
echo "$build/$name.zip"
