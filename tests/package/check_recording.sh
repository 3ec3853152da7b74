#!/usr/bin/env bash
# Checks the README's animation and that `make record` still makes one: each
# GIF has 13 frames of 150 ms, loops for ever, is square (500 x 500 or evenly
# scaled) and under 1.5 MB. That the frames are consecutive ticks the recorder
# proves as it records.
# Usage: check_recording.sh BUILD_DIR CHECKED_IN_GIF
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-record-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$(dirname "$0")/../../scripts/record.sh" "$1" "$work/flames.gif"

for gif in "$2" "$work/flames.gif"; do
  [ "$(identify -format '%n\n' "$gif" | head -n 1)" = 13 ] || fail "$gif does not have 13 frames"
  [ "$(identify -format '%T\n' "$gif" | sort -u)" = 15 ] || fail "$gif: frame delays are not 150 ms"
  [[ "$(identify -verbose "$gif")" == *"Iterations: 0"* ]] || fail "$gif does not loop for ever"
  read -r width height < <(identify -format '%W %H\n' "$gif" | head -n 1)
  [ "$width" = "$height" ] && [ "$width" -le 500 ] || fail "$gif is ${width}x${height}"
  [ "$(stat -c %s "$gif")" -lt $((1536 * 1024)) ] || fail "$gif is over 1.5 MB"
  echo "ok: $gif, 13 frames of 150 ms, ${width}x${height}, $(stat -c %s "$gif") bytes"
done
