#!/usr/bin/env bash
# Builds the Debian package (cross-built for DEBIAN_ARCH if given; with
# --source, the source package too) with dpkg-buildpackage, from a copy in
# OUT_DIR of the sources as a release holds them (scripts/sources.sh), so that
# the tree stays as it was. Prints the paths of what it wrote into OUT_DIR.
# Usage: build-package.sh OUT_DIR [DEBIAN_ARCH] [--source]
set -euo pipefail

out=$(mkdir -p "${1:?usage: $0 OUT_DIR [DEBIAN_ARCH] [--source]}" && cd "$1" && pwd)
arch=${2:-$(dpkg --print-architecture)}
source=$(cd "$(dirname "$0")/.." && pwd)
version=$(dpkg-parsechangelog -l "$source/debian/changelog" -SVersion)
copy=$out/flames-$version
rm -rf "$copy"
mkdir "$copy"
trap 'rm -rf "$copy"' EXIT
. "$source/scripts/sources.sh"
release_sources "$source" | tar -C "$copy" -xf -
what=(--build=binary)
[ "${3:-}" != --source ] || what=(--build=full)
(cd "$copy" && dpkg-buildpackage --no-sign --host-arch="$arch" "${what[@]}") >"$out/package.log" 2>&1 ||
  { tail -n 40 "$out/package.log" >&2; echo "build-package: dpkg-buildpackage failed" >&2; exit 1; }
ls -1d "$out"/flames{,-dbgsym}_"$version"*
