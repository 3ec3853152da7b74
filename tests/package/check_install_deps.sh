#!/usr/bin/env bash
# Checks that the install step asks apt for exactly what this machine's
# architecture lacks, on a machine that also holds i386 packages (as every
# machine with Steam does). dpkg-checkbuilddeps reads a stand-in database;
# dpkg, apt-get and sudo are stand-ins: the machine is left as it was.
# Usage: check_install_deps.sh
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-install-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
top=$(cd "$(dirname "$0")/../.." && pwd)
mkdir "$work/bin" "$work/dpkg"
printf '#!/bin/sh\nexec /usr/bin/dpkg-checkbuilddeps --admindir="$WORK/dpkg" "$@"\n' >"$work/bin/dpkg-checkbuilddeps"
printf '#!/bin/sh\n[ "$1" = --print-foreign-architectures ] && echo i386 || echo amd64\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho "$*" >>"$WORK/apt-get"\n' >"$work/bin/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*
export WORK=$work PATH=$work/bin:$PATH

# What `make` needs: its own tools, and what dpkg-checkbuilddeps checks for a build.
wanted=(build-essential make dpkg-dev libgl1-mesa-dri $(awk '/^[^ ]/ { on = sub(/^Build-Depends:/, "") }
  on { gsub(/[(][^)]*[)]|,/, ""); print }' "$top/debian/control"))
[[ " ${wanted[*]} " == *" debhelper-compat "*" freeglut3-dev "* ]] || fail "no Build-Depends read: ${wanted[*]}"

# Runs the install step on a machine holding every package wanted for amd64
# and i386 (at version 13, as debhelper-compat is wanted) but the instances
# named (as name:architecture), and sets `asked` to what it had apt-get do.
install_step() {
  for package in "${wanted[@]}"; do
    for arch in amd64 i386; do
      [[ " $* " == *" $package:$arch "* ]] || printf '%s\n' "Package: $package" "Architecture: $arch" \
        'Status: install ok installed' 'Multi-Arch: same' 'Version: 13' 'Maintainer: -' 'Description: -' ''
    done
  done >"$work/dpkg/status"
  : >"$work/apt-get"
  "$top/scripts/install-deps.sh" build >"$work/out" 2>&1 || fail "the install step failed: $(cat "$work/out")"
  asked=$(sed -E 's/-y -q --no-install-recommends //; /^update/d' "$work/apt-get" | paste -sd';')
}

install_step
[ -z "$asked" ] || fail "with all of it there for both architectures, it asked apt-get to: $asked"
install_step freeglut3-dev:amd64
[ "$asked" = "build-dep --host-architecture amd64 ./" ] || fail "with freeglut3-dev only for i386, it asked: $asked"
install_step libgl1-mesa-dri:amd64
[ "$asked" = "satisfy make, dpkg-dev, libgl1-mesa-dri" ] ||
  fail "with Mesa's drivers only for i386, it asked: $asked"
echo "ok: with i386 packages beside, the install step installs only what amd64 lacks (${#wanted[@]} wanted)"
