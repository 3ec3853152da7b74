#!/usr/bin/env bash
# Builds the Debian package from a build tree as Debian's own tools would
# (dpkg-shlibdeps, dpkg-gencontrol, dpkg-deb), and reproducibly: the same
# sources give the same bytes whatever the directory, clock, time zone, locale
# or umask, and whether they come from a git clone or a release tarball: every
# time stamp is SOURCE_DATE_EPOCH, by default the last changelog entry's, as
# Debian takes it. The package is for the architecture the build targets.
# Usage: build-deb.sh BUILD_DIR DEBIAN_ARCH [OUT_DIR]   Prints the package's path.
set -euo pipefail

build=$(cd "$1" && pwd)
out=$(cd "${3:-$1}" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
umask 022
export LC_ALL=C.UTF-8 TZ=UTC
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$build/changelog" -STimestamp)}
# dpkg-shlibdeps looks in that architecture's libraries; dpkg-gencontrol names it.
export DEB_HOST_ARCH=${2:?usage: $0 BUILD_DIR DEBIAN_ARCH [OUT_DIR]}

# The staging root lies where dpkg-shlibdeps and dpkg-gencontrol look for it.
root=$work/debian/flames
DESTDIR=$root cmake --install "$build" --prefix /usr --strip >/dev/null
# The project has no home page yet. AppStream 1.0 and later warn of that, and
# lintian with them: where they do, the package says why rather than name a
# made-up one.
metainfo=$root/usr/share/metainfo/io.github.flames.flames.metainfo.xml
if [[ $(appstreamcli validate --no-net "$metainfo" 2>&1 || true) == *url-homepage-missing* ]]; then
  mkdir -p "$root/usr/share/lintian/overrides"
  printf '%s\n' '# No public home page yet; a packager names one with -DFLAMES_HOMEPAGE=URL.' \
    'flames: appstream-metadata-validation-failed' >"$root/usr/share/lintian/overrides/flames"
fi
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
deb=$out/flames_$(dpkg-parsechangelog -l "$build/changelog" -SVersion)_${DEB_HOST_ARCH}.deb
dpkg-deb --root-owner-group --build "$root" "$deb" >/dev/null
echo "$deb"
