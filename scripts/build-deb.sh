#!/usr/bin/env bash
# Builds the Debian package from a build tree as Debian's own tools would
# (dpkg-shlibdeps, dpkg-gencontrol, dpkg-deb), and reproducibly: the same
# sources give the same bytes whatever the directory, clock, time zone, locale
# or umask. Every time stamp is SOURCE_DATE_EPOCH, by default the time of the
# last commit (or, outside a git checkout, of the last changelog entry).
# Usage: build-deb.sh BUILD_DIR [OUT_DIR]   Prints the package's path.
set -euo pipefail

build=$(cd "$1" && pwd)
out=$(cd "${2:-$1}" && pwd)
source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
umask 022
export LC_ALL=C.UTF-8 TZ=UTC
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct 2>/dev/null ||
    dpkg-parsechangelog -l "$build/changelog" -STimestamp)
fi
export SOURCE_DATE_EPOCH

# The staging root lies where dpkg-shlibdeps and dpkg-gencontrol look for it.
root=$work/debian/flames
DESTDIR=$root cmake --install "$build" --prefix /usr --strip >/dev/null
chmod -R u=rwX,go=rX "$root"
cp "$build/debian-control" "$work/debian/control"
cp "$build/changelog" "$work/debian/changelog"
mkdir -m 755 "$root/DEBIAN"
(
  cd "$work"
  dpkg-shlibdeps -O debian/flames/usr/bin/flames >debian/substvars
  dpkg-gencontrol -pflames -Pdebian/flames -Tdebian/substvars
  cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum >DEBIAN/md5sums
)
chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"
find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
deb=$out/flames_$(dpkg-parsechangelog -l "$build/changelog" -SVersion)_$(dpkg --print-architecture).deb
dpkg-deb --root-owner-group --build "$root" "$deb" >/dev/null
echo "$deb"
