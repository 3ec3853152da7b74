#!/usr/bin/env bash
# Makes a release of HEAD in DIST (docs/packaging.md), from the commit alone,
# exported afresh: uncommitted changes never reach it; two runs give the same bytes.
# Usage: release.sh DIST
set -euo pipefail

dist=$(mkdir -p "${1:?usage: $0 DIST}" && cd "$1" && pwd)
source=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$source" rev-parse HEAD)
if [ -n "$(git -C "$source" status --porcelain --untracked-files=no)" ]; then
  echo "release: uncommitted changes are left out; this is a release of ${commit:0:7}" >&2
fi
version=$(git -C "$source" show "$commit:debian/changelog" | dpkg-parsechangelog -l- -SVersion)
name=flames-$version
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 TZ=UTC
umask 022

. "$source/scripts/sources.sh"
release_sources "$source" "$commit" "$name/" >"$work/$name.tar"
gzip -9n <"$work/$name.tar" >"$work/$name.tar.gz"
tar -C "$work" -xf "$work/$name.tar"
tree=$work/$name

# The package for this machine's architecture and, beside amd64's, for i386,
# its multiarch companion.
arches=("$(dpkg --print-architecture)")
[ "${arches[0]}" != amd64 ] || arches+=(i386)
for arch in "${arches[@]}"; do ARCH=$arch "$tree/scripts/install-deps.sh" package; done
"$tree/scripts/build-package.sh" "$work/debian" "" --source >/dev/null
[ ${#arches[@]} -eq 1 ] || "$tree/scripts/build-package.sh" "$work/debian" i386 >/dev/null
make -C "$tree" windows
make -C "$tree" web
epoch=$(dpkg-parsechangelog -l "$tree/debian/changelog" -STimestamp)
tar -C "$tree/build-web" --sort=name --mtime="@$epoch" --owner=0 --group=0 --numeric-owner \
  --mode=u+rw,go=rX --transform="s,^site,$name-web," -cf - site | gzip -9n >"$work/$name-web.tar.gz"

mapfile -t debs < <(cd "$work/debian" && ls flames_"$version"_*.deb)
files=("$name.tar.gz" "flames_$version.dsc" "flames_$version.tar.xz" "${debs[@]}" "$name-windows-x86_64.zip"
  "$name-web.tar.gz")
cp "$work/$name.tar.gz" "$work/$name-web.tar.gz" "$work/debian/flames_$version".{dsc,tar.xz} \
  "${debs[@]/#/$work/debian/}" "$tree/build-windows/$name-windows-x86_64.zip" "$dist/"
(cd "$dist" && sha256sum "${files[@]}" >SHA256SUMS)
echo "Release $version of ${commit:0:7}, in $dist:"
(cd "$dist" && ls -l "${files[@]}" SHA256SUMS | awk '{ print "  " $5 "\t" $9 }')
