#!/usr/bin/env bash
# Checks an animation for the README: 13 frames of 150 ms, looping for ever,
# square (500 x 500 or evenly scaled), under 1.5 MB. That the 13 frames are
# consecutive ticks the recorder proves as it records.
# Usage: check_recording.sh GIF   or   check_recording.sh --record BUILD_DIR
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

if [ "$1" = --record ]; then
  # Record afresh from the real window, then check what came out.
  work=$(mktemp -d "${TMPDIR:-/tmp}/flames-record-test.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  "$(dirname "$0")/../../scripts/record.sh" "$2" "$work/flames.gif" "$work/icons"
  for size in 16 24 32 48 64 128 256; do
    [ "$(identify -format '%wx%h' "$work/icons/${size}x${size}/apps/flames.png")" = "${size}x${size}" ] ||
      fail "icon ${size}x${size} has the wrong size"
  done
  gif=$work/flames.gif
else
  gif=$1
fi

[ "$(identify -format '%n\n' "$gif" | head -n 1)" = 13 ] || fail "$gif does not have 13 frames"
delays=$(identify -format '%T\n' "$gif" | sort -u)
[ "$delays" = 15 ] || fail "frame delays are '$delays' hundredths, not 15"
[[ "$(identify -verbose "$gif")" == *"Iterations: 0"* ]] || fail "$gif does not loop for ever"
read -r width height < <(identify -format '%W %H\n' "$gif" | head -n 1)
[ "$width" = "$height" ] && [ "$width" -le 500 ] || fail "$gif is ${width}x${height}"
size=$(stat -c %s "$gif")
[ "$size" -lt $((1536 * 1024)) ] || fail "$gif is $size bytes"

echo "ok: $gif, 13 frames of 150 ms, ${width}x${height}, $size bytes"
