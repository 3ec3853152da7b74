#!/usr/bin/env bash
# Checks what users install: `cmake --install` into a scratch prefix and
# uninstalling it again, then the Debian package as a distribution would judge
# it (lintian, hardening), its metadata and file list.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-package-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
app=io.github.flames.flames

expected_files() {
  local prefix=$1
  echo "$prefix/bin/flames"
  echo "$prefix/share/applications/$app.desktop"
  echo "$prefix/share/metainfo/$app.metainfo.xml"
  echo "$prefix/share/man/man1/flames.1.gz"
  echo "$prefix/share/doc/flames/copyright"
  echo "$prefix/share/doc/flames/changelog.gz"
  for size in 16 24 32 48 64 128 256; do echo "$prefix/share/icons/hicolor/${size}x${size}/apps/flames.png"; done
}

# Installed into a scratch prefix: the files, each valid, then uninstalled.
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in $(expected_files "$prefix"); do [ -f "$file" ] || fail "not installed: $file"; done
desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >"$work/appstream" ||
  fail "appstreamcli rejects the metainfo: $(cat "$work/appstream")"
warnings=$(zcat "$prefix/share/man/man1/flames.1.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "the manual page does not render cleanly: $warnings"
"$(dirname "$0")/../../scripts/uninstall.sh" "$build" "$prefix" >/dev/null
left=$(find "$prefix" ! -type d)
[ -z "$left" ] || fail "uninstall left: $left"

# The package: what lintian and hardening-check say, its name, its
# dependencies, exactly the expected files.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null 2>&1)
deb=$(ls "$work"/flames_*_*.deb)
lintian --pedantic "$deb" >"$work/lintian" 2>&1 || true
! grep -E '^[EW]:' "$work/lintian" || fail "lintian finds errors or warnings"
dpkg-deb -x "$deb" "$work/root"
# On Debian 12 the C runtime's own objects lack the control-flow marking.
missing=$(hardening-check "$work/root/usr/bin/flames" | grep ': no' | grep -v 'Control flow' || true)
[ -z "$missing" ] || fail "hardening-check: $missing"
[ "$(dpkg-deb -f "$deb" Package)" = flames ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libglut3.12 libx11-6 libc6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\./, "", $6); print $6}' | sort >"$work/listed"
expected_files /usr | sort >"$work/expected"
diff -u "$work/expected" "$work/listed" || fail "the package's file list differs"

# Unpacked, its program finds its libraries.
if ldd "$work/root/usr/bin/flames" | grep -q 'not found'; then fail "unresolved libraries"; fi
echo "ok: $(basename "$deb"), lintian clean, Depends: $depends"
