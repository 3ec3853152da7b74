#!/usr/bin/env bash
# Fetches and patches freeglut's source for the Windows build into DIR, from
# this machine's Debian release, by an apt configuration of its own in DIR.
# Usage: fetch-freeglut.sh DIR
set -euo pipefail

dir=${1:?usage: $0 DIR}
patches=$(cd "$(dirname "$0")/.." && pwd)/cmake/freeglut-patches
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
[ ! -f "$dir/source/CMakeLists.txt" ] || exit 0

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:?}")
apt_dir=$dir/apt
rm -rf "$apt_dir" "$dir/source" "$dir"/freeglut*
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$apt_dir/parts"
apt-get indextargets --format 'deb-src $(REPO_URI) $(RELEASE) $(COMPONENT)' 'Created-By: Packages' |
  awk -v release="$codename" '$3 ~ "^" release "(-[a-z]+)?$"' | sort -u >"$apt_dir/sources.list"
[ -s "$apt_dir/sources.list" ] ||
  { echo "fetch-freeglut: no Debian $codename entry in this machine's apt sources" >&2; exit 1; }

apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache::Archives=$apt_dir/archives"
  -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache=" -o "Debug::NoLocking=1" -q)
echo "Fetching freeglut's source package from Debian $codename"
apt-get "${apt_options[@]}" update >"$apt_dir/update.log" 2>&1 ||
  { cat "$apt_dir/update.log" >&2; exit 1; }
if ! (cd "$dir" && apt-get "${apt_options[@]}" source --only-source freeglut >"$apt_dir/source.log" 2>&1); then
  # A mirror may lack the .dsc but hold the upstream tarball (its hash checked).
  orig=$(find "$dir" -maxdepth 1 -name 'freeglut_*.orig.tar.*' | head -n 1)
  [ -n "$orig" ] || { cat "$apt_dir/source.log" >&2; exit 1; }
  echo "fetch-freeglut: only $(basename "$orig") could be fetched; building it without Debian's changes" >&2
  tar -C "$dir" -xf "$orig"
fi
unpacked=$(find "$dir" -maxdepth 1 -type d -name 'freeglut-*' | head -n 1)
[ -n "$unpacked" ] || { echo "fetch-freeglut: nothing unpacked in $dir" >&2; exit 1; }
for patch in "$patches"/*.patch; do
  patch -d "$unpacked" -p1 --quiet --forward <"$patch"
done
mv "$unpacked" "$dir/source"
