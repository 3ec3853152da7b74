#!/usr/bin/env bash
# Checks what users install: `cmake --install` into a scratch prefix and
# uninstalling it again, then the Debian package as a distribution would judge
# it (lintian, hardening), its metadata and file list, and that building it
# again elsewhere gives the same bytes.
# Usage: check_package.sh BUILD_DIR SOURCE_DIR DEBIAN_ARCH [CMAKE_OPTION...]
#   The options are those the build was configured with.
set -euo pipefail

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
arch=$3
options=("${@:4}")
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-package-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
app=io.github.flames.flames
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)

# Exactly the files users get, under $1 when installed to the prefix $2, and
# any others named after it.
expect_files() {
  diff -u <(printf "$2/%s\n" bin/flames share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
    share/man/man1/flames.1.gz share/doc/flames/copyright share/doc/flames/changelog.gz \
    share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/flames.png "${@:3}" | sort) \
    <(find "$1" ! -type d | sort) || fail "other files under $1"
}

# Installed into a scratch prefix, then uninstalled: nothing left.
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
expect_files "$prefix" "$prefix"
cp "$build/install_manifest.txt" "$work/installed-files.txt"
"$scripts/uninstall.sh" "$work/installed-files.txt" >/dev/null
[ -z "$(find "$prefix" ! -type d)" ] || fail "uninstall left: $(find "$prefix" ! -type d)"

# The package: what lintian (which also wants the dependencies dpkg-shlibdeps
# finds) and hardening-check say, exactly the expected files, each valid.
deb=$("$scripts/build-deb.sh" "$build" "$arch" "$work")
lintian --pedantic "$deb" >"$work/lintian" 2>&1 || true
! grep -E '^[EW]:' "$work/lintian" || fail "lintian finds errors or warnings"
root=$work/root
dpkg-deb -x "$deb" "$root"
# The C runtime's own objects (crti.o) lack the control-flow marking; branch
# protection is an arm64 feature, which Debian 13's hardening-check asks of all.
missing=$(hardening-check "$root/usr/bin/flames" | grep ': no' | grep -v -E 'Control flow|Branch Protection' || true)
[ -z "$missing" ] || fail "hardening-check: $missing"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] ||
  fail "the package is not for the architecture built for"
# Where AppStream wants a home page and none is named (AppStream 1.0 on), that
# is the one warning allowed, and the package tells lintian why.
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "desktop-file-validate"
override=()
if ! appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" >"$work/appstream"; then
  [ -z "$(dpkg-deb -f "$deb" Homepage)" ] && ! grep -E '^[EW]:' "$work/appstream" | grep -qv url-homepage-missing ||
    fail "appstreamcli rejects the metainfo: $(cat "$work/appstream")"
  override=(share/lintian/overrides/flames)
fi
expect_files "$root" "$root/usr" "${override[@]}"
warnings=$(zcat "$root/usr/share/man/man1/flames.1.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "the manual page does not render cleanly: $warnings"

# Reproducible: the same sources, without git's history as in a release
# tarball, built again in a deeper directory, three days later by the clock,
# in another time zone and locale, under another umask and with the same
# options, give the same bytes.
. "$(dirname "$0")/elsewhere.sh"
copy=$(copy_elsewhere "$source" "$work")
later cmake -S "$copy" -B "$copy/build" -DBUILD_TESTING=OFF "${options[@]//$source/$copy}" >/dev/null
later cmake --build "$copy/build" --target flames compressed_docs >/dev/null
again=$(later "$copy/scripts/build-deb.sh" "$copy/build" "$arch")
cmp -s "$deb" "$again" || { diffoscope --text - "$deb" "$again" | head -n 60 >&2; fail "a second build differs"; }
echo "ok: $(basename "$deb"), lintian clean, reproducible (sha256 $(sha256sum <"$deb" | cut -c1-16)…)," \
  "Depends: $(dpkg-deb -f "$deb" Depends)"
