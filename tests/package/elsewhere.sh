# Sourced by the package checks, which build the same sources again elsewhere
# and compare the bytes.

# Copies the sources as a release holds them into a deeper directory under
# WORK, and prints that directory.
copy_elsewhere() {
  local copy=$2/built/again/elsewhere
  mkdir -p "$copy"
  . "$1/scripts/sources.sh"
  release_sources "$1" | tar -C "$copy" -xf -
  echo "$copy"
}

# Runs a command three days later by the clock, in another time zone and
# locale, under another umask.
later() (
  umask 002
  export TZ=Pacific/Kiritimati LANG=C.UTF-8
  faketime '+3 days' "$@"
)
