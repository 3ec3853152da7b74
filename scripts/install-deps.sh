#!/usr/bin/env bash
# Installs the Debian and npm packages a make target needs that are missing for
# the architecture built for; with nothing missing it needs no root.
# Usage: install-deps.sh [build|test|package|web|cross|root|debian-build|windows|test-windows]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-build}
native=$(dpkg --print-architecture)
arch=${ARCH:-$native}
as_root() {
  [ "$(id -u)" -ne 0 ] || { "$@"; return; }
  command -v sudo >/dev/null || { echo "Installing missing packages needs root: as root, run $*" >&2; exit 1; }
  sudo "$@"
}
apt_get() {
  [ -n "${updated:-}" ] || as_root apt-get update -q
  updated=1
  DEBIAN_FRONTEND=noninteractive as_root apt-get -y -q --no-install-recommends "$@"
}

command -v dpkg-checkbuilddeps >/dev/null || apt_get satisfy dpkg-dev
# The cross compilers' names: g++-GNU_TYPE, for the architectures with a preset.
cross_compiler() { echo "g++-$(dpkg-architecture -a"$1" -qDEB_HOST_GNU_TYPE 2>/dev/null)"; }
cross_compilers=()
for name in $(sed -n 's/.*"FLAMES_DEB_ARCH": "\([a-z0-9]*\)".*/\1/p' CMakePresets.json); do
  cross_compilers+=("$(cross_compiler "$name")")
done

# Building needs debian/control's Build-Depends (and ARCH's cross compiler),
# running Mesa's drivers. A package a later Debian renamed is named OLD|NEW.
build_packages=(make dpkg-dev)
[ "$arch" = "$native" ] || build_packages+=("$(cross_compiler "$arch")")
web_packages=(emscripten python3 cmark-gfm)
windows_packages=(make cmake g++-mingw-w64-x86-64-posix dpkg-dev patch zip icoutils)
test_packages=("${build_packages[@]}" libgl1-mesa-dri libgtest-dev libxtst-dev xvfb openbox x11-utils x11-apps
  sysstat clang-tidy cppcheck 'webkit2gtk-driver|webkitgtk-webdriver' imagemagick chromium firefox-esr devscripts
  groff-base desktop-file-utils jq faketime diffoscope-minimal lintian appstream reprotest ruby-mdl linkchecker
  mandoc "${web_packages[@]}")
command -v npm >/dev/null || test_packages+=(npm)

build_depends=yes
case $mode in
  build) wanted=("${build_packages[@]}" libgl1-mesa-dri) ;;
  test) wanted=("${test_packages[@]}") ;;
  package) wanted=("${build_packages[@]}") ;;
  web) wanted=("${build_packages[@]}" "${web_packages[@]}") ;;
  cross) wanted=(make cmake qemu-user googletest "${cross_compilers[@]}") build_depends= ;;
  root) wanted=(mmdebstrap) build_depends= ;;
  debian-build) wanted=(mmdebstrap sbuild uidmap lintian autopkgtest dpkg-dev) build_depends= ;;
  windows) wanted=("${windows_packages[@]}") build_depends= ;;
  test-windows) wanted=("${test_packages[@]}" "${windows_packages[@]}" wine wine64 locales unzip
    libimage-exiftool-perl) ;;
  *) echo "usage: $0 [build|test|package|web|cross|root|debian-build|windows|test-windows]" >&2; exit 2 ;;
esac

requirement=$(printf '%s, ' "${wanted[@]//|/ | }")
if ! dpkg-checkbuilddeps -I -d "${requirement%, }" debian/control 2>/dev/null; then
  echo "Installing the missing packages among: ${wanted[*]}"
  apt_get satisfy "${requirement%, }"
fi
if [ -n "$build_depends" ] && ! dpkg-checkbuilddeps -a "$arch" 2>/dev/null; then
  if [ "$arch" != "$native" ] && ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
    echo "Adding $arch to the architectures dpkg installs packages for"
    as_root dpkg --add-architecture "$arch"
    updated=
  fi
  echo "Installing debian/control's missing Build-Depends for $arch"
  apt_get build-dep --host-architecture "$arch" ./
fi

# autopkgtest's and sbuild's unshare back ends map root's subordinate ids.
if [ "$mode" = debian-build ] && [ "$(id -u)" -eq 0 ]; then
  for ids in /etc/subuid /etc/subgid; do
    grep -q '^root:' "$ids" 2>/dev/null || echo root:100000:65536 >>"$ids"
  done
fi

# The browser drivers (no browser is downloaded), again whenever one is not at
# its locked version; from inside the folder, so that npm reads its settings.
cd tests/web
if [ "$mode" = test ] && ! node -e 'for (const [name, { version }] of Object.entries(
    require("./package-lock.json").packages)) if (name && require(`./${name}/package.json`).version !== version)
    process.exit(1)' 2>/dev/null; then
  npm ci --no-audit --no-fund --loglevel=error
fi
