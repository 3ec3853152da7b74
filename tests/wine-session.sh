#!/usr/bin/env bash
# Runs NAME.exe under Wine, or any other command as it is, in a Wine prefix
# (a fresh one unless WINEPREFIX is set) whose wineserver ends with it.
# Usage: wine-session.sh COMMAND [ARG...]
set -uo pipefail

[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }

# Only the program's own output, and no offer of .NET or a browser engine.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
own_prefix=
if [ -z "${WINEPREFIX:-}" ]; then
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/flames-wine.XXXXXX")
  own_prefix=$WINEPREFIX
fi
export WINEPREFIX

end_session() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  [ -z "$own_prefix" ] || rm -rf "$own_prefix"
}
trap end_session EXIT
trap 'exit 143' INT TERM HUP

# The tests need the program in the process they start (its _NET_WM_PID, its
# status); with wine32 installed, Debian's wine hands 64-bit programs on to a
# new process. So the 64-bit loader comes first, taken (as FLAMES_WINE) once
# it has set up the prefix and passed on the exit status of Wine's cmd.
runs_programs() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Without a display Wine sets the prefix up all the same, without a word.
    DISPLAY= "$1" wineboot --init >/dev/null 2>&1 && wineserver -w || return 1
  fi
  DISPLAY= "$1" cmd /c exit 3 >/dev/null 2>&1
  local status=$?
  # What Wine started without a display must not outlive the check.
  wineserver -w
  [ $status -eq 3 ]
}
FLAMES_WINE=
for loader in /usr/lib/wine/wine64 wine64 wine; do
  loader=$(command -v "$loader") || continue
  # Debian's wine wrapper picks a loader itself; the others are the loader.
  if [ "${loader##*/}" = wine ]; then unset WINELOADER; else export WINELOADER=$loader; fi
  if runs_programs "$loader"; then
    FLAMES_WINE=$loader
    break
  fi
  wineserver -k 2>/dev/null
done
[ -n "$FLAMES_WINE" ] || { echo "wine-session: no Wine loader runs programs on this machine" >&2; exit 1; }
export FLAMES_WINE

case $1 in
  *.exe) "$FLAMES_WINE" "$@" ;;
  *) "$@" ;;
esac
