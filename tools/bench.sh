#!/usr/bin/env bash
# The window's cost as pidstat counts it, beside an empty-frame baseline; --soak: is memory flat?
# Usage, in scripts/xsession.sh: tools/bench.sh BUILD_DIR SECONDS [--soak]
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR SECONDS [--soak]}
seconds=${2:?usage: $0 BUILD_DIR SECONDS [--soak]}
export LC_ALL=C

# pidstat's columns by their names; wake-ups are all threads' voluntary
# context switches (the process line counts only its first thread's).
figures() {
  pidstat -h -t -u -w -r -p "$1" "$seconds" 1 | awk -v name="$2" '
    /^#/ { for (i = 2; i <= NF; i++) at[$i] = i - 1; next }
    NF && $at["TID"] == "-" { cpu = $at["%CPU"]; rss = $at["RSS"] }
    NF && $at["TGID"] == "-" { wakeups += $at["cswch/s"] }
    END { printf "  %-16s %10.2f %12.1f %12.1f\n", name, cpu, wakeups, rss / 1024 }'
}

if [ "${3:-}" != --soak ]; then
  echo "Each measured for $seconds s, 3 s after it started:"
  printf "  %-16s %10s %12s %12s\n" "" "CPU, %" "wake-ups/s" "RSS, MiB"
  for program in flames tools/flames_baseline; do
    "$build/$program" &
    sleep 3
    figures $! "${program##*/}"
    kill $!
  done
  exit 0
fi

# Soak: memory may grow 1 MiB after warm-up, and the window must still be drawing.
"$build/flames" &
pid=$!
sleep 30
pidstat -h -r -p "$pid" 10 $((seconds / 10)) | awk -v pid="$pid" '
  /^#/ { for (i = 2; i <= NF; i++) at[$i] = i - 1; next }
  $at["PID"] == pid { rss = $at["RSS"] / 1024; if (!first) first = rss; if (rss > highest) highest = rss
       printf "  resident %.2f MiB\n", rss }
  END { printf "growth after warm-up: %.2f MiB (bound 1.00)\n", highest - first; exit highest - first > 1 }'
grab() { xwd -root -silent | md5sum; }
before=$(grab)
sleep 0.5
kill -0 "$pid" && [ "$(grab)" != "$before" ] || { echo "soak: FAILED, the window stopped drawing" >&2; exit 1; }
kill "$pid"
echo "soak: passed"
