#!/bin/sh
# Where nothing but a compiler, CMake and the libraries' -dev packages are (no
# Debian packaging tools, no ImageMagick, no Python): the plain CMake build,
# what tests it can run, and its install.
# Usage: plain_cmake.sh   (from the top of the sources)
set -eu
for tool in dpkg-parsechangelog dpkg-buildpackage convert python3; do
  if command -v "$tool" >/dev/null; then echo "FAIL: $tool is installed here" >&2; exit 1; fi
done
cmake -S . -B build
cmake --build build -j "$(nproc)"
ctest --test-dir build --output-on-failure
cmake --install build --prefix /tmp/flames-prefix >/dev/null
echo "installed:"
(cd /tmp/flames-prefix && find . ! -type d | sort)
