#!/usr/bin/env bash
# Builds the Debian package with dpkg-buildpackage from a copy of the sources
# as a release tarball holds them, so that the tree stays as it was, cross-built
# for DEBIAN_ARCH if given; with --source, the source package and .changes too.
# Prints the paths of what it wrote into OUT_DIR.
# Usage: build-package.sh OUT_DIR [DEBIAN_ARCH] [--source]
set -euo pipefail

out=$(mkdir -p "${1:?usage: $0 OUT_DIR [DEBIAN_ARCH] [--source]}" && cd "$1" && pwd)
arch=${2:-$(dpkg --print-architecture)}
source=$(cd "$(dirname "$0")/.." && pwd)
version=$(dpkg-parsechangelog -l "$source/debian/changelog" -SVersion)
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

copy=$work/flames-$version
mkdir "$copy"
tar -C "$source" --exclude=./.git --exclude='./build*' --exclude=./dist --exclude=./Testing \
  --exclude=./tests/web/node_modules -cf - . | tar -C "$copy" -xf -
what=(--build=binary)
[ "${3:-}" != --source ] || what=(--build=full)
(cd "$copy" && dpkg-buildpackage --no-sign --host-arch="$arch" "${what[@]}") >"$work/log" 2>&1 ||
  { tail -n 40 "$work/log" >&2; echo "build-package: dpkg-buildpackage failed" >&2; exit 1; }
# The package, its debugging symbols, and what the .changes lists beside them.
for file in "$work"/flames{,-dbgsym}_"$version"_"$arch".deb "$work"/flames_"$version".{dsc,tar.xz} \
  "$work"/flames_"$version"_"$arch".{buildinfo,changes}; do
  [ -f "$file" ] || continue
  cp "$file" "$out/"
  echo "$out/${file##*/}"
done
