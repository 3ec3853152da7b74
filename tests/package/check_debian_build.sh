#!/usr/bin/env bash
# Builds the source package as Debian's builders do, with sbuild in a clean
# root of this machine's Debian release (which proves Build-Depends complete),
# judges the result with lintian, and runs the installed package's own test
# (debian/tests) with autopkgtest in a clean test bed.
# Usage: check_debian_build.sh OUT_DIR   (root, with subordinate ids for root)
set -euo pipefail

out=$(mkdir -p "${1:?usage: $0 OUT_DIR}" && cd "$1" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
for ids in /etc/subuid /etc/subgid; do
  grep -q "^$(id -un):" "$ids" ||
    fail "$ids gives $(id -un) no subordinate ids, which unshare needs: add '$(id -un):100000:65536'"
done
release=$(. /etc/os-release && echo "${VERSION_CODENAME:?}")
root=$("$source/scripts/debian-root.sh" "$release" buildd)
rm -rf "${out:?}"/*
dsc=$("$source/scripts/build-package.sh" "$out/source" '' --source | grep '[.]dsc$')

# The changelog names the distribution; the clean root is this machine's release.
(cd "$out" && sbuild --chroot-mode=unshare --chroot="$root" --source --no-run-lintian --no-run-piuparts \
  --no-run-autopkgtest --dist="$(dpkg-parsechangelog -l "$source/debian/changelog" -SDistribution)" "$dsc") \
  >"$out/sbuild.log" 2>&1 || { tail -n 40 "$out/sbuild.log" >&2; fail "sbuild"; }
changes=$(ls "$out"/flames_*_"$(dpkg --print-architecture)".changes)
lintian --pedantic --fail-on error,warning "$changes" || fail "lintian finds errors or warnings in $changes"
grep -h -E '^(Status|Build-Time|Package-Time|Build-Space):' "$out"/flames_*_"$(dpkg --print-architecture)".build

autopkgtest -U "$out"/flames_*_"$(dpkg --print-architecture)".deb "$dsc" -- unshare -t "$root" \
  >"$out/autopkgtest.log" 2>&1 || { tail -n 40 "$out/autopkgtest.log" >&2; fail "autopkgtest"; }
grep -E '^ok|PASS' "$out/autopkgtest.log"
