#!/usr/bin/env bash
# Installs the Debian packages (and the npm packages) flames needs that are
# not there yet.
# Usage: install-deps.sh [build|test|package|web|cross|root|debian-build|windows|test-windows]   (default: build)
#   cross: Debian's cross compilers and qemu-user, for the unit tests on the
#   other architectures Debian builds.
#   With ARCH=i386 (or another Debian architecture) in the environment, build
#   gets that architecture's cross compiler and libraries, and the architecture
#   is added to dpkg's if it is not there yet.
# Idempotent: when everything is installed it changes nothing and needs no
# root. Installed means installed for the architecture wanted (or for all),
# whatever other architectures hold.
set -euo pipefail
cd "$(dirname "$0")/.."

native=$(dpkg --print-architecture)
arch=${ARCH:-$native}
# The other architectures Debian builds, and the GNU type of their cross compilers.
declare -A gnu_type=()
while read -r name type _; do gnu_type[$name]=$type; done < <(grep -v '^#' cmake/debian-architectures.txt)
# What building needs is debian/control's Build-Depends, which dpkg-checkbuilddeps
# (from dpkg-dev) checks; for another architecture, with its cross compiler.
# Running the program needs Mesa's drivers too.
build_packages=(make dpkg-dev)
[ "$arch" = "$native" ] || build_packages+=("g++-${gnu_type[$arch]}")
run_packages=(libgl1-mesa-dri)
# lintian and appstreamcli judge the package, reprotest builds it again under other conditions.
package_packages=(lintian appstream reprotest)
# The web build: emscripten (GL and GLUT are the project's own); python3 serves the site.
web_packages=(emscripten python3)
# The end-to-end tests and the benchmark drive the real program in a private X
# server with a window manager, and the web page in Chromium, Firefox and WebKit; the
# static analysers check the code; lintian, hardening-check (devscripts),
# appstreamcli, groff and desktop-file-validate judge what the package ships;
# faketime builds it again "later" and diffoscope says how two builds differ.
# A package that a later Debian renamed is named as NAME|NEWNAME.
# Windows: the cross compiler, and what fetches and unpacks freeglut's source
# package (dpkg-dev), makes its icon (icoutils) and zips the result; Wine runs
# it, in the test packages' X server, under locales the tests make (localedef's
# sources); exiftool reads its version block.
windows_packages=(make cmake g++-mingw-w64-x86-64-posix dpkg-dev patch zip icoutils)
wine_packages=(wine wine64 locales unzip libimage-exiftool-perl)
test_packages=(libgtest-dev libxtst-dev xvfb openbox x11-utils x11-apps sysstat clang-tidy cppcheck
  'webkit2gtk-driver|webkitgtk-webdriver'
  imagemagick chromium firefox-esr lintian devscripts groff-base desktop-file-utils
  faketime diffoscope-minimal "${package_packages[@]}" "${web_packages[@]}")

case "${1:-build}" in
  build) wanted=("${build_packages[@]}" "${run_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${run_packages[@]}" "${test_packages[@]}") ;;
  package) wanted=("${build_packages[@]}") ;;
  web) wanted=("${build_packages[@]}" "${web_packages[@]}") ;;
  # GoogleTest's sources, built for each architecture.
  cross) wanted=(make cmake qemu-user googletest "${gnu_type[@]/#/g++-}") ;;
  # A fresh Debian root to run the tests in.
  root) wanted=(mmdebstrap) ;;
  # Debian's own builder, checker and package test runner, each in a clean root.
  debian-build) wanted=(mmdebstrap sbuild uidmap lintian autopkgtest dpkg-dev) ;;
  windows) wanted=("${windows_packages[@]}") ;;
  test-windows) wanted=("${build_packages[@]}" "${run_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}"
    "${wine_packages[@]}") ;;
  *)
    echo "usage: $0 [build|test|package|web|cross|root|debian-build|windows|test-windows]" >&2
    exit 2
    ;;
esac

# What is missing, from dpkg's database: a few hundredths of a second, where
# asking apt's resolver (apt-get satisfy -s) takes seconds, at every make.
# Every installed package, one line each, as name:architecture.
declare -A installed
while read -r package status; do
  [ "$status" != installed ] || installed[$package]=1
done < <(dpkg-query -W -f='${Package}:${Architecture} ${db:Status-Status}\n' 2>/dev/null || true)
missing=()
for package in "${wanted[@]}"; do
  there=
  for name in ${package//|/ }; do
    [[ $name == *:* ]] || name+=:$native
    there+=${installed[$name]:-}${installed[${name%:*}:all]:-}
  done
  [ -n "$there" ] || missing+=("$package")
done
# The browser drivers come from npm; a node from elsewhere may bring its own npm.
if [ "${1:-build}" = test ] && ! command -v npm >/dev/null 2>&1; then missing+=(npm); fi
# Build-Depends, as dpkg-checkbuilddeps names what is unmet for the
# architecture built for: each as one word, a version wanted written without
# spaces. Without dpkg-dev, whatever it will name is installed next time round.
unmet=()
checked=
case ${1:-build} in cross | root | windows | debian-build) checked=not-needed ;; esac
if [ -z "$checked" ] && command -v dpkg-checkbuilddeps >/dev/null; then
  checked=yes
  # dpkg 1.22 (Debian 13) writes its messages in lower case.
  if ! report=$(dpkg-checkbuilddeps -a "$arch" 2>&1); then
    read -ra unmet < <(sed -n -E 's/.*[Uu]nmet build dependencies: //; T; s/ \(([^ ]*) ([^)]*)\)/(\1\2)/g; p' \
      <<<"$report") || true
    [ ${#unmet[@]} -gt 0 ] || { echo "$report" >&2; exit 1; }
  fi
fi

# Installs, as apt's resolver takes them (of NAME|NEWNAME, the one this release
# has), the packages named, with any apt-get option before them.
install_packages() {
  local options=() requirement
  while [[ $1 == -* ]]; do options+=("$1" "$2"); shift 2; done
  requirement=$(printf '%s, ' "${@//|/ | }")
  requirement=${requirement%, }
  if [ "$(id -u)" -eq 0 ]; then
    as_root=()
  elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    echo "These Debian packages are missing: $*" >&2
    echo "Installing them needs root, and sudo is not available. As root, run:" >&2
    echo "  apt-get update && apt-get satisfy --no-install-recommends ${options[*]} '$requirement'" >&2
    exit 1
  fi
  echo "Installing missing packages: $*"
  export DEBIAN_FRONTEND=noninteractive
  if [ "$arch" != "$native" ] && ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
    echo "Adding $arch to the architectures dpkg installs packages for"
    "${as_root[@]}" dpkg --add-architecture "$arch"
  fi
  [ -n "${updated:-}" ] || "${as_root[@]}" apt-get update -q
  updated=1
  "${as_root[@]}" apt-get satisfy -y -q --no-install-recommends "${options[@]}" "$requirement"
}
if [ ${#missing[@]} -gt 0 ]; then
  install_packages "${missing[@]}"
  # Now that dpkg-checkbuilddeps is there, what it says is missing too.
  [ -n "$checked" ] || exec "$0" "$@"
fi
[ ${#unmet[@]} -eq 0 ] || install_packages --host-architecture "$arch" "${unmet[@]}"

# autopkgtest's and sbuild's unshare back ends map root's subordinate ids.
if [ "${1:-build}" = debian-build ] && [ "$(id -u)" -eq 0 ]; then
  for ids in /etc/subuid /etc/subgid; do
    grep -q '^root:' "$ids" 2>/dev/null || echo root:100000:65536 >>"$ids"
  done
fi

# puppeteer-core drives Debian's Chromium and Firefox, selenium-webdriver its WebKit; no browser is downloaded.
# Installed again whenever any package is missing or not at its locked version.
cd tests/web
if [ "${1:-build}" = test ] && ! node -e 'for (const [name, { version }] of Object.entries(
    require("./package-lock.json").packages)) if (name && require(`./${name}/package.json`).version !== version)
    process.exit(1)' 2>/dev/null; then
  # From inside the folder, so that npm reads the machine's own configuration.
  npm ci --no-audit --no-fund --loglevel=error
fi
