#!/usr/bin/env bash
# Runs `make TARGET...` from a clone of this commit inside a fresh root of a
# Debian release, as on a newcomer's machine: a minimal Debian with git and
# make, where make's own install step installs everything else.
#
# The root comes from debian-root.sh, kept as a tarball in ~/.cache/flames
# (with the packages apt downloads into it); each run unpacks it afresh, binds
# /proc, /sys and /dev into it, and lets it trust the certificate authorities
# this machine trusts (a proxy that inspects TLS would otherwise fail npm
# inside). Whatever happens, everything is unmounted, and
# the root is deleted only once nothing is mounted inside it.
# Usage: test-in-debian.sh SUITE [TARGET...]   (root only; SUITE: trixie, forky, ...)
set -euo pipefail

suite=${1:?usage: $0 SUITE [TARGET...]}
targets=("${@:2}")
[ ${#targets[@]} -gt 0 ] || targets=(test)
source=$(cd "$(dirname "$0")/.." && pwd)
tarball=$("$(dirname "$0")"/debian-root.sh "$suite" minbase ca-certificates,git,make)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/flames
mkdir -p "$cache/apt-$suite"

root=$(mktemp -d "${TMPDIR:-/tmp}/flames-$suite.XXXXXX")
mounted=()
clean_up() {
  local status=$? at pid
  # Whatever the tests left running in the root (a D-Bus daemon a browser
  # started, say) would keep its mounts busy.
  for pid in /proc/[0-9]*; do
    [ "$(readlink "$pid/root" 2>/dev/null)" != "$root" ] || kill -KILL "${pid#/proc/}" 2>/dev/null || true
  done
  for ((at = ${#mounted[@]} - 1; at >= 0; at--)); do
    umount "${mounted[at]}" || umount --lazy "${mounted[at]}" || true
  done
  if findmnt --list --noheadings --output TARGET | grep -q "^$root/"; then
    echo "test-in-debian: something is still mounted in $root; it is left there" >&2
    exit 1
  fi
  rm -rf --one-file-system "$root"
  exit "$status"
}
trap clean_up EXIT
trap 'exit 143' INT TERM HUP

tar -C "$root" -xf "$tarball"
bind() {
  mkdir -p "$root$2"
  mount --bind "$1" "$root$2"
  mounted+=("$root$2")
}
for dir in /proc /sys /dev /dev/pts /dev/shm; do bind "$dir" "$dir"; done
bind "$cache/apt-$suite" /var/cache/apt/archives
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp -r /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/" 2>/dev/null || true
chroot "$root" update-ca-certificates >/dev/null 2>&1

git clone --quiet "$source" "$root/root/flames"
echo "make ${targets[*]} in Debian $suite ($(cat "$root/etc/debian_version")), from commit" \
  "$(git -C "$root/root/flames" rev-parse --short HEAD)"
# A clean environment, but for what CI and the network need.
environment=(HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8
  "CI=${CI:-}" "NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt")
for name in http_proxy https_proxy no_proxy HTTP_PROXY HTTPS_PROXY NO_PROXY; do
  [ -z "${!name:-}" ] || environment+=("$name=${!name}")
done
chroot "$root" env -i "${environment[@]}" make -C /root/flames "${targets[@]}"
