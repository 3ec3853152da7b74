#!/usr/bin/env bash
# Removes what `make install` installed, as CMake listed it when installing
# (one path a line), then the program's documentation folder once empty, and
# the list itself.
# Usage: uninstall.sh INSTALLED_FILES
set -euo pipefail

list=${1:?usage: $0 INSTALLED_FILES}
if [ ! -f "$list" ]; then
  echo "uninstall: no $list, so nothing is installed from this build ('make install' writes it)." >&2
  exit 1
fi
# CMake ends the list without a newline.
while IFS= read -r file || [ -n "$file" ]; do
  if [ -e "$file" ] || [ -L "$file" ]; then
    rm -f -- "$file"
    echo "removed $file"
  fi
done <"$list"
grep -o '^.*/share/doc/flames/' "$list" | sort -u | xargs -r rmdir --ignore-fail-on-non-empty
rm -f -- "$list"
