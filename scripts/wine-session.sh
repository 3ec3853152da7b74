#!/usr/bin/env bash
# Runs a command in a Wine session: a Windows program (NAME.exe) under Wine,
# anything else as it is, with WINEPREFIX and a quiet WINEDEBUG in its
# environment. Without a WINEPREFIX, a fresh prefix is made for the command
# and deleted after it. Whatever the outcome, the prefix's wineserver is ended
# when the command ends, and the command's exit status is passed on.
# Usage: wine-session.sh COMMAND [ARG...]
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARG...]" >&2
  exit 2
fi

# Wine's own diagnostics off, so that what is printed is the program's; no
# prompt to install .NET or a browser engine into a new prefix.
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

# The programs are 64-bit. Debian's wine starts the 32-bit loader whenever
# wine32 is installed, which a kernel without 32-bit x86 support refuses: then
# the 64-bit loader starts them itself. FLAMES_WINE names the loader chosen.
FLAMES_WINE=
for loader in wine /usr/lib/wine/wine64 wine64; do
  if command -v "$loader" >/dev/null && "$loader" --version >/dev/null 2>&1; then
    FLAMES_WINE=$(command -v "$loader")
    break
  fi
done
[ -n "$FLAMES_WINE" ] || { echo "wine-session: no Wine loader runs on this machine" >&2; exit 1; }
[ "${FLAMES_WINE##*/}" = wine ] || export WINELOADER=$FLAMES_WINE
export FLAMES_WINE

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # Without a display Wine sets the prefix up all the same, without a word.
  DISPLAY= "$FLAMES_WINE" wineboot --init >/dev/null 2>&1 || { echo "wine-session: wineboot failed" >&2; exit 1; }
  wineserver -w
fi

case $1 in
  *.exe) "$FLAMES_WINE" "$@" ;;
  *) "$@" ;;
esac
