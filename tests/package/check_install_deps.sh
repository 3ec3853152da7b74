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
printf '#!/bin/sh\nexec /usr/bin/dpkg-query --admindir="$WORK/dpkg" "$@"\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\n[ "$1" = --print-foreign-architectures ] && echo i386 || echo amd64\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho "$*" >>"$WORK/apt-get"\n' >"$work/bin/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*
export WORK=$work PATH=$work/bin:$PATH

# Runs the build's install step on a machine holding every package in `wanted`
# for amd64 and for i386, but the instances named (as name:architecture), and
# sets `asked` to what it has apt-get install.
install_step() {
  for package in "${wanted[@]}"; do
    for arch in amd64 i386; do
      [[ " $* " == *" $package:$arch "* ]] || printf '%s\n' "Package: $package" "Architecture: $arch" \
        'Status: install ok installed' 'Multi-Arch: same' 'Version: 1' 'Maintainer: -' 'Description: -' ''
    done
  done >"$work/dpkg/status"
  : >"$work/apt-get"
  "$script" build >"$work/out" || fail "the install step failed: $(cat "$work/out")"
  asked=$(sed -n 's/^satisfy -y -q --no-install-recommends //p' "$work/apt-get")
}

wanted=()
install_step
IFS=, read -ra wanted <<<"${asked// /}"
install_step
[ -z "$asked" ] || fail "with all of it there for both architectures, it installed: $asked"
install_step freeglut3-dev:amd64
[ "$asked" = freeglut3-dev ] || fail "with freeglut3-dev there only for i386, it installed: $asked"
echo "ok: with i386 packages beside, the install step installs only what amd64 lacks (${#wanted[@]} wanted)"
