#!/bin/bash
# What the site costs a visitor: its bytes; for the page and the guide, Lighthouse's phone figures and the longest task.
# Usage: tools/web_bench.sh SITE_DIR   (make bench-web)
set -euo pipefail
site=$(realpath "$1")
tools="${XDG_CACHE_HOME:-$HOME/.cache}/flames/lighthouse-12.2.3"
[ -x "$tools/node_modules/.bin/lighthouse" ] ||
  npm install --silent --no-audit --no-fund --prefix "$tools" lighthouse@12.2.3 >/dev/null

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port" >/dev/null 2>&1 &
server=$!
report=$(mktemp -d)
trap 'kill $server; rm -rf "$report"' EXIT

echo "Files (bytes):"
(cd "$site" && find . -type f -printf '%s %P\n' | sort -k2 |
  awk '{ printf "  %-22s %7d\n", $2, $1; sum += $1 } END { printf "  %-22s %7d\n", "total", sum }')

# Chromium draws WebGL with SwiftShader here, as on a machine without a GPU.
# The animation's page, then the English guide's.
for page in "" guide.html; do
  for throttling in simulate provided; do
    CHROME_PATH=/usr/bin/chromium "$tools/node_modules/.bin/lighthouse" "http://127.0.0.1:$port/$page" --quiet \
      --chrome-flags="--headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader" \
      --form-factor=mobile --throttling-method=$throttling --output=json --output-path="$report/$throttling.json"
  done
  jq -r '"Lighthouse, mobile, /'"$page"': " + ([.categories[] | "\(.id) \(.score * 100 | round)"] | join(", ")),
    (.audits["total-blocking-time", "first-contentful-paint", "largest-contentful-paint", "interactive"]
     | "  \(.title): \(.displayValue)")' "$report/simulate.json"
  jq -r '[.audits["long-tasks"].details.items[].duration] | max | "  Longest task of the page'"'"'s thread,"
    + " unthrottled: " + (if . then "\(round) ms" else "none of 50 ms or more" end)' "$report/provided.json"
done
