#!/usr/bin/env bash
# Runs COMMAND in a clone of this commit, in a fresh minimal Debian root with
# PACKAGES, in mount and PID namespaces of its own (docs/architectures.md).
# Usage: test-in-debian.sh SUITE PACKAGE,... COMMAND [ARG...]   (root only; SUITE: trixie, forky, ...)
set -euo pipefail

# Inside the namespaces (started at the end): mount what the root needs, run the command.
if [ "${1:-}" = --inside ]; then
  root=$2 cache=$3
  shift 3
  mount -t proc proc "$root/proc"
  for dir in /sys /dev; do mount --rbind "$dir" "$root$dir"; done
  mount --bind "$cache" "$root/var/cache/apt/archives"
  chroot "$root" update-ca-certificates >/dev/null 2>&1 || true
  exec chroot "$root" sh -c 'cd /root/flames && exec env -i "$@"' sh "$@"
fi

[ $# -ge 3 ] || { echo "usage: $0 SUITE PACKAGE,... COMMAND [ARG...]" >&2; exit 2; }
suite=$1
command=("${@:3}")
source=$(cd "$(dirname "$0")/.." && pwd)
tarball=$("$(dirname "$0")"/debian-root.sh "$suite" minbase "$2")
cache=${XDG_CACHE_HOME:-$HOME/.cache}/flames/apt-$suite
mkdir -p "$cache"
root=$(mktemp -d "${TMPDIR:-/tmp}/flames-$suite.XXXXXX")
trap 'rm -rf --one-file-system "$root"' EXIT
tar -C "$root" -xf "$tarball"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp -r /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/" 2>/dev/null || true
git clone --quiet "$source" "$root/root/flames"
echo "${command[*]} in Debian $suite ($(cat "$root/etc/debian_version")), from commit" \
  "$(git -C "$root/root/flames" rev-parse --short HEAD)"

# A clean environment, but for what CI and the network need.
environment=(HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8
  "CI=${CI:-}" "NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt")
for name in http_proxy https_proxy no_proxy HTTP_PROXY HTTPS_PROXY NO_PROXY; do
  [ -z "${!name:-}" ] || environment+=("$name=${!name}")
done
unshare --mount --propagation private --pid --fork "$0" --inside "$root" "$cache" \
  "${environment[@]}" "${command[@]}"
