#!/usr/bin/env bash
# Records the animation, the icons and the web page's images from the real window.
# Usage: record.sh BUILD_DIR GIF ICON_DIR WEB_DIR
set -euo pipefail

build_dir=$1 gif=$2 icon_dir=$3 web_dir=$4
frames=$(mktemp -d "${TMPDIR:-/tmp}/flames-record.XXXXXX")
trap 'rm -rf "$frames"' EXIT
"$(dirname "$0")/xsession.sh" "$build_dir/tools/flames_record" "$frames"

# 150 ms a frame (GIF counts in hundredths), looping for ever.
convert -delay 15 -loop 0 "$frames"/frame-*.ppm -layers Optimize "$gif"
echo "recorded $gif: $(ls "$frames"/frame-*.ppm | wc -l) frames, $(stat -c %s "$gif") bytes"

# The icon is the heart of the first frame: the band, without the black above it.
for size in 16 24 32 48 64 128 256; do
  mkdir -p "$icon_dir/${size}x${size}/apps"
  convert "$frames/frame-00.ppm" -crop 400x400+50+100 +repage -resize "${size}x${size}" \
    -strip "$icon_dir/${size}x${size}/apps/flames.png"
done
echo "wrote icons under $icon_dir"

# The web page's poster is the first frame, exact (lossless WebP: half a PNG's
# bytes); its icons 192 and 512 px, in 128 colours (a third of the bytes, no
# visible difference).
convert "$frames/first.ppm" -strip -define webp:lossless=true "$web_dir/poster.webp"
for size in 192 512; do
  convert "$frames/frame-00.ppm" -crop 400x400+50+100 +repage -resize ${size}x$size \
    +dither -colors 128 -strip -define png:compression-level=9 "PNG8:$web_dir/icon-$size.png"
done
echo "wrote the web page's poster and icon under $web_dir"
