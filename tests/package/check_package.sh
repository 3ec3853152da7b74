#!/usr/bin/env bash
# Checks what users install: `cmake --install` into a scratch prefix and
# uninstalling it again, then the Debian package as a distribution would judge
# it (hardening), its metadata and file list, and that reprotest,
# building it twice under other conditions, gets the same bytes.
# Usage: check_package.sh BUILD_DIR [DEBIAN_ARCH]
set -euo pipefail

build=$(cd "$1" && pwd)
arch=${2:-$(dpkg --print-architecture)}
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-package-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
app=io.github.flames.flames

# Exactly the files users get, under $1 when installed to the prefix $2, with
# the manual page and changelog named $3 and $4, and any others named after them.
expect_files() {
  diff -u <(printf "$2/%s\n" bin/flames share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
    "share/man/man1/$3" "share/man/ru/man1/$3" share/doc/flames/copyright "share/doc/flames/$4" \
    share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/flames.png "${@:5}" | sort) \
    <(find "$1" ! -type d | sort) || fail "other files under $1"
}

# Installed into a scratch prefix, then uninstalled: nothing left, not a folder.
prefix=$work/prefix
mkdir "$prefix"
"$source/scripts/install.sh" "$build" "$prefix" "$work" >/dev/null
expect_files "$prefix" "$prefix" flames.1 changelog
"$source/scripts/uninstall.sh" "$work" >/dev/null
[ -z "$(find "$prefix" -mindepth 1)" ] || fail "uninstall left: $(find "$prefix" -mindepth 1)"

# The package, built twice by dpkg-buildpackage from the sources as a release
# tarball has them: reprotest varies the build's path, clock, time zone,
# locales, umask, environment, home, CPU count and kernel name between the two.
. "$(dirname "$0")/elsewhere.sh"
copy=$(copy_elsewhere "$source" "$work")
(cd "$work" && reprotest --vary=-user_group,-domain_host,-fileordering --store-dir="$work/builds" \
  -c "dpkg-buildpackage --no-sign --build=binary --host-arch=$arch" "$copy" "../flames_*_$arch.deb") \
  >"$work/reprotest" 2>&1 || { tail -n 60 "$work/reprotest" >&2; fail "two builds differ, or one failed"; }
deb=$(ls "$work"/builds/control/flames_*_"$arch".deb)

# What hardening-check says, exactly the expected files, each valid (lintian
# judges the package where sbuild builds it: check_debian_build.sh).
root=$work/root
dpkg-deb -x "$deb" "$root"
# The C runtime's own objects (crti.o) lack the control-flow marking; branch
# protection is an arm64 feature, which Debian 13's hardening-check asks of all.
missing=$(hardening-check "$root/usr/bin/flames" | grep ': no' | grep -v -E 'Control flow|Branch Protection' || true)
[ -z "$missing" ] || fail "hardening-check: $missing"
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "desktop-file-validate"
# Where AppStream wants a home page and none is named (AppStream 1.0 on), that
# is the one warning allowed, and the package tells lintian why.
override=()
if ! appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" >"$work/appstream"; then
  ! grep -E '^[EW]:' "$work/appstream" | grep -qv url-homepage-missing ||
    fail "appstreamcli rejects the metainfo: $(cat "$work/appstream")"
  override=(share/lintian/overrides/flames)
fi
expect_files "$root" "$root/usr" flames.1.gz changelog.gz "${override[@]}"
echo "ok: $(basename "$deb"), reproducible (sha256 $(sha256sum <"$deb" | cut -c1-16)…)," \
  "Depends: $(dpkg-deb -f "$deb" Depends)"
