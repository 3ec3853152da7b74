#!/usr/bin/env bash
# Removes what `make install` put under PREFIX: installs the build once more
# into a scratch root to learn the file list, then deletes those files, and the
# program's own documentation folder.
# Usage: uninstall.sh BUILD_DIR PREFIX
set -euo pipefail

build=$1
prefix=$(realpath -m "$2")
stage=$(mktemp -d "${TMPDIR:-/tmp}/flames-uninstall.XXXXXX")
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$stage" && find . ! -type d) | while read -r file; do
  target=${file#.}
  if [ -e "$target" ] || [ -L "$target" ]; then
    rm -f -- "$target"
    echo "removed $target"
  fi
done
rmdir --ignore-fail-on-non-empty "$prefix/share/doc/flames" 2>/dev/null || true
