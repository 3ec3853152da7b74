#!/usr/bin/env bash
# Installs what `make` built into PREFIX and lists the files and folders it
# made for uninstall.sh, in LIST_DIR, left its owner's even when root runs this.
# Usage: install.sh BUILD_DIR PREFIX [LIST_DIR]
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR PREFIX}
prefix=${2:?usage: $0 BUILD_DIR PREFIX [LIST_DIR]}
lists=${3:-$build}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/flames-install.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch" >/dev/null
(cd "$scratch" && find . -mindepth 1 -type d | sort) | while read -r folder; do
  [ -e "$prefix/${folder#./}" ] || echo "$prefix/${folder#./}"
done >"$lists/installed-folders.txt"
cmake --install "$build" --prefix "$prefix"
cp "$build/install_manifest.txt" "$lists/installed-files.txt"
chown --reference="$build" "$build/install_manifest.txt"
chown --reference="$lists" "$lists"/installed-{files,folders}.txt
