#!/usr/bin/env bash
# Checks what users install: `cmake --install` into a scratch prefix, and the
# Debian package's metadata, file list, and an unpacked copy that starts.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-package-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

expected_files() {
  local prefix=$1
  echo "$prefix/bin/flames"
  echo "$prefix/share/applications/flames.desktop"
  for size in 16 24 32 48 64 128 256; do echo "$prefix/share/icons/hicolor/${size}x${size}/apps/flames.png"; done
}

# cmake --install into a scratch prefix.
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in $(expected_files "$work/prefix"); do [ -f "$file" ] || fail "not installed: $file"; done
desktop-file-validate "$work/prefix/share/applications/flames.desktop" ||
  fail "desktop-file-validate rejects the desktop entry"
grep -qx 'Name=Языки пламени' "$work/prefix/share/applications/flames.desktop" || fail "desktop entry name"

# The package: its name, its dependencies, exactly the expected files.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$work"/flames_*_*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = flames ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libglut3.12 libx11-6 libc6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\./, "", $6); print $6}' | sort >"$work/listed"
expected_files /usr | sort >"$work/expected"
diff -u "$work/expected" "$work/listed" || fail "the package's file list differs"

# Unpacked into a scratch root, its program finds its libraries and opens its window.
dpkg-deb -x "$deb" "$work/root"
if ldd "$work/root/usr/bin/flames" | grep -q 'not found'; then fail "unresolved libraries"; fi
"$here/../../scripts/xsession.sh" bash -c '
  "$1" & pid=$!
  for _ in $(seq 100); do
    xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q "window id" && break
    sleep 0.05
  done
  alive=0; kill -0 "$pid" 2>/dev/null && alive=1
  kill "$pid" 2>/dev/null
  xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q "window id" && [ "$alive" = 1 ]
' _ "$work/root/usr/bin/flames" || fail "the unpacked program opened no window"
echo "ok: $(basename "$deb"), Depends: $depends"
