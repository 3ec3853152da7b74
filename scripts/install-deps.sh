#!/usr/bin/env bash
# Installs the Debian packages (and the one npm package) flames needs that are
# not there yet.
# Usage: install-deps.sh [build|test|package|web]   (default: build)
# Idempotent: when everything is installed it changes nothing and needs no root.
set -euo pipefail
cd "$(dirname "$0")/.."

build_packages=(g++ make cmake pkg-config freeglut3-dev libgl-dev libx11-dev libgl1-mesa-dri)
# dpkg-shlibdeps works out the package's dependencies.
package_packages=(dpkg-dev)
# The web build: emscripten brings its own GLUT and GL; python3 serves the site.
web_packages=(emscripten python3)
# The end-to-end tests and the benchmark drive the real program in a private X
# server with a window manager, and the web page in Chromium and Firefox; the
# static analysers check the code; lintian, hardening-check (devscripts),
# appstreamcli, groff and desktop-file-validate judge what the package ships;
# faketime builds it again "later" and diffoscope says how two builds differ.
test_packages=(libgtest-dev libxtst-dev libxdamage-dev xvfb openbox x11-utils clang-tidy cppcheck
  imagemagick chromium firefox-esr lintian devscripts appstream groff-base desktop-file-utils
  faketime diffoscope-minimal "${package_packages[@]}" "${web_packages[@]}")

case "${1:-build}" in
  build) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
  package) wanted=("${build_packages[@]}" "${package_packages[@]}") ;;
  web) wanted=("${build_packages[@]}" "${web_packages[@]}") ;;
  *)
    echo "usage: $0 [build|test|package|web]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
# The browser driver comes from npm; a node from elsewhere may bring its own npm.
if [ "${1:-build}" = test ] && ! command -v npm >/dev/null 2>&1; then missing+=(npm); fi

if [ ${#missing[@]} -gt 0 ]; then
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
fi

# puppeteer-core drives Debian's Chromium and Firefox; it downloads no browser of its own.
if [ "${1:-build}" = test ] && [ ! -d tests/web/node_modules/puppeteer-core ]; then
  # From inside the folder, so that npm reads the machine's own configuration.
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
fi
