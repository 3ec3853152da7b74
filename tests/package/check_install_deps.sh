#!/usr/bin/env bash
# Checks that the install step installs what is missing for this machine's
# architecture and nothing else, on a machine that also holds i386 packages (as
# every machine with Steam does). dpkg-query reads a stand-in database; dpkg,
# apt-get and sudo are stand-ins: the machine the test runs on is left as it was.
# Usage: check_install_deps.sh
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-install-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
script=$(cd "$(dirname "$0")/../../scripts" && pwd)/install-deps.sh
mkdir "$work/bin" "$work/dpkg"
for tool in dpkg-query dpkg-checkbuilddeps; do
  printf '#!/bin/sh\nexec /usr/bin/%s --admindir="$WORK/dpkg" "$@"\n' $tool >"$work/bin/$tool"
done
printf '#!/bin/sh\n[ "$1" = --print-foreign-architectures ] && echo i386 || echo amd64\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho "$*" >>"$WORK/apt-get"\n' >"$work/bin/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*
export WORK=$work PATH=$work/bin:$PATH

# Runs the build's install step on a machine holding every package in `wanted`
# for amd64 and for i386 (at version 13, as debhelper-compat is wanted), but
# the instances named (as name:architecture), and sets `asked` to what it has
# apt-get install.
install_step() {
  for package in "${wanted[@]}"; do
    for arch in amd64 i386; do
      [[ " $* " == *" $package:$arch "* ]] || printf '%s\n' "Package: $package" "Architecture: $arch" \
        'Status: install ok installed' 'Multi-Arch: same' 'Version: 13' 'Maintainer: -' 'Description: -' ''
    done
  done >"$work/dpkg/status"
  : >"$work/apt-get"
  "$script" build >"$work/out" 2>&1 || fail "the install step failed: $(cat "$work/out")"
  asked=$(sed -n 's/^satisfy -y -q --no-install-recommends \(--host-architecture amd64 \)\{0,1\}//p' "$work/apt-get" |
    paste -sd, | tr -d ' ')
}

wanted=()
install_step
# What it asked for on an empty machine, by name: Build-Depends among them.
IFS=, read -ra wanted <<<"$(sed -E 's/:native//g; s/[(][^)]*[)]//g' <<<"$asked")"
[[ " ${wanted[*]} " == *" debhelper-compat "* ]] || fail "Build-Depends were not asked for: $asked"
install_step
[ -z "$asked" ] || fail "with all of it there for both architectures, it installed: $asked"
install_step freeglut3-dev:amd64
[ "$asked" = freeglut3-dev ] || fail "with freeglut3-dev there only for i386, it installed: $asked"
echo "ok: with i386 packages beside, the install step installs only what amd64 lacks (${#wanted[@]} wanted)"
