#!/usr/bin/env bash
# Removes what install.sh listed in LIST_DIR: files, then folders once empty, then the lists.
# Usage: uninstall.sh LIST_DIR
set -euo pipefail

lists=${1:?usage: $0 LIST_DIR}
[ -f "$lists/installed-files.txt" ] ||
  { echo "uninstall: nothing is installed from $lists ('make install' lists what it installs there)." >&2; exit 1; }
# CMake ends its list without a newline.
while IFS= read -r file || [ -n "$file" ]; do
  [ ! -e "$file" ] && [ ! -L "$file" ] || { rm -f -- "$file" && echo "removed $file"; }
done <"$lists/installed-files.txt"
sort -r "$lists/installed-folders.txt" | while read -r folder; do
  rmdir --ignore-fail-on-non-empty -- "$folder" 2>/dev/null || true
done
rm -f -- "$lists"/installed-{files,folders}.txt
