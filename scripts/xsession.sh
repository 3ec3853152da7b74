#!/usr/bin/env bash
# Runs a command inside a private X session, a fresh Xvfb with openbox, which
# ends with the command, passing on its exit status.
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARG...]" >&2
  exit 2
fi

workdir=$(mktemp -d "${TMPDIR:-/tmp}/flames-xsession.XXXXXX")
xvfb_pid=""
wm_pid=""

stop_session() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
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

# Xvfb picks a free display and writes its number once it accepts clients.
# -noreset: else it starts over whenever its last client leaves, hanging up on
# whoever connects meanwhile (openbox, now and then, under load).
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$workdir/display" \
  >"$workdir/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 600); do
  [ -s "$workdir/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start"
  sleep 0.05
done
[ -s "$workdir/display" ] || fail "Xvfb gave no display number within 30 s"
export DISPLAY=":$(head -n 1 "$workdir/display")"

openbox --sm-disable >"$workdir/openbox.log" 2>&1 &
wm_pid=$!
# openbox names itself before it manages windows, and a window mapped in
# between may never be managed (GLUT then waits for ever): it is ready once it
# lists the windows it manages.
managing() { xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q '^_NET_CLIENT_LIST(WINDOW)'; }
for _ in $(seq 600); do
  managing && break
  kill -0 "$wm_pid" 2>/dev/null || fail "openbox did not start"
  sleep 0.05
done
managing || fail "openbox did not take the display within 30 s"

"$@"
