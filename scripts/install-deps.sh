#!/usr/bin/env bash
# Installs the Debian packages flames needs that are not there yet.
# Usage: install-deps.sh [build|test|package]   (default: build)
# Idempotent: when everything is installed it changes nothing and needs no root.
set -euo pipefail

build_packages=(g++ make cmake pkg-config freeglut3-dev libgl-dev libx11-dev libgl1-mesa-dri)
# The end-to-end tests and the benchmark drive the real program in a private X
# server with a window manager; the static analysers check the code.
test_packages=(libgtest-dev libxtst-dev libxdamage-dev xvfb openbox x11-utils clang-tidy cppcheck
  imagemagick desktop-file-utils dpkg-dev)
# dpkg-shlibdeps works out the package's dependencies.
package_packages=(dpkg-dev)

case "${1:-build}" in
  build) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
  package) wanted=("${build_packages[@]}" "${package_packages[@]}") ;;
  *)
    echo "usage: $0 [build|test|package]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Installing them needs root, and sudo is not available. As root, run:" >&2
  echo "  apt-get update && apt-get install ${missing[*]}" >&2
  exit 1
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
