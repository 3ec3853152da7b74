#!/usr/bin/env bash
# Runs a command inside a private X session, a fresh Xvfb with openbox, which
# ends with the command, passing on its exit status.
set -uo pipefail

[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }

workdir=$(mktemp -d "${TMPDIR:-/tmp}/flames-xsession.XXXXXX")
stop_session() {
  kill $(jobs -p) 2>/dev/null
  wait 2>/dev/null
  rm -rf "$workdir"
}
trap stop_session EXIT
trap 'exit 143' INT TERM HUP

fail() {
  echo "xsession: $1" >&2
  for log in "$workdir"/*.log; do [ -s "$log" ] && sed "s|^|  $(basename "$log"): |" "$log" >&2; done
  exit 1
}
# Waits up to 30 s for CONDITION... to hold while what was started last runs.
await() {
  local pid=$! what=$1
  shift
  for _ in $(seq 600); do
    "$@" && return
    kill -0 "$pid" 2>/dev/null || fail "$what did not start"
    sleep 0.05
  done
  fail "$what was not ready within 30 s"
}

# Xvfb picks a free display and writes its number once it accepts clients.
# -noreset: else it restarts as its last client leaves, hanging up on openbox.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$workdir/display" \
  >"$workdir/xvfb.log" 2>&1 &
await Xvfb test -s "$workdir/display"
export DISPLAY=":$(head -n 1 "$workdir/display")"

# openbox is ready once it lists the windows it manages, not once it names
# itself: a window mapped in between may never be managed.
openbox --sm-disable >"$workdir/openbox.log" 2>&1 &
await openbox sh -c "xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q '^_NET_CLIENT_LIST(WINDOW)'"

"$@"
