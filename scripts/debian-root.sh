#!/usr/bin/env bash
# Makes a Debian root tarball with mmdebstrap from this machine's mirrors, once,
# kept in ~/.cache/flames; prints its path.
# Usage: debian-root.sh SUITE VARIANT [PACKAGE,...]   (VARIANT: minbase, buildd, ...)
set -euo pipefail

suite=${1:?usage: $0 SUITE VARIANT [PACKAGE,...]}
variant=${2:?usage: $0 SUITE VARIANT [PACKAGE,...]}
include=${3:-}
release=$(. /etc/os-release && echo "${VERSION_CODENAME:?}")
mirror_of() {
  apt-get indextargets --format '$(RELEASE) $(REPO_URI)' 'Created-By: Packages' |
    awk -v suite="$1" '$1 == suite { sub(/\/$/, "", $2); print $2; exit }'
}
mirror=$(mirror_of "$release")
security=$(mirror_of "$release-security")
[ -n "$mirror" ] || { echo "debian-root: no Debian $release entry in this machine's apt sources" >&2; exit 1; }
cache=${XDG_CACHE_HOME:-$HOME/.cache}/flames
tarball=$cache/debian-$suite-$variant${include:+-${include//,/-}}.tar
mkdir -p "$cache"
if [ ! -s "$tarball" ]; then
  sources=("deb $mirror $suite main")
  options=()
  case $suite in
    bookworm | trixie) sources+=("deb $mirror $suite-updates main")
      [ -z "$security" ] || sources+=("deb $security $suite-security main") ;;
    # Testing's and unstable's indexes may outlive their validity on a mirror.
    *) options+=(--aptopt='Acquire::Check-Valid-Until "false"') ;;
  esac
  echo "Making a Debian $suite root ($variant; once, kept in $tarball)" >&2
  mmdebstrap --quiet "${options[@]}" --format=tar --variant="$variant" ${include:+--include="$include"} \
    "$suite" "$tarball.part" "${sources[@]}" >&2
  mv "$tarball.part" "$tarball"
fi
echo "$tarball"
