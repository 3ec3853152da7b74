#!/usr/bin/env bash
# Checks that the install step installs what is missing for this machine's
# architecture and nothing else, on a machine that also holds i386 packages (as
# every machine with Steam does). dpkg, dpkg-query, apt-get and sudo are
# stand-ins here, so the machine the test runs on is left as it was.
# Usage: check_install_deps.sh
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/flames-install-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
script=$(cd "$(dirname "$0")/../../scripts" && pwd)/install-deps.sh
mkdir "$work/bin"

# dpkg-query -W [-f FORMAT] [PACKAGE...] over the instances listed in
# $work/installed ("name architecture" lines), as dpkg-query prints them.
cat >"$work/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
format='${binary:Package}\t${Version}\n'
[[ $2 == -f* ]] && { format=${2#-f}; format=${format#=}; shift; }
shift
while read -r name arch; do
  [ $# -eq 0 ] || printf '%s\n' "$@" | grep -qx -e "$name" -e "$name:$arch" || continue
  line=${format//'${Package}'/$name}
  line=${line//'${Architecture}'/$arch}
  line=${line//'${Status}'/install ok installed}
  printf '%b' "${line//'${db:Status-Status}'/installed}"
done <"$WORK/installed"
EOF
printf '#!/bin/sh\n[ "$1" = --print-foreign-architectures ] && echo i386 || echo amd64\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho "$*" >>"$WORK/apt-get"\n' >"$work/bin/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*
export WORK=$work PATH=$work/bin:$PATH

# With nothing installed, what the build wants; then all of it installed for
# amd64 and for i386: nothing to do.
: >"$work/installed"
"$script" build >/dev/null
read -ra wanted < <(sed -n 's/^install -y -q --no-install-recommends //p' "$work/apt-get")
for package in "${wanted[@]}"; do printf '%s amd64\n%s i386\n' "$package" "$package"; done >"$work/installed"
rm "$work/apt-get"
"$script" build >"$work/out" || fail "the install step failed: $(cat "$work/out")"
[ ! -e "$work/apt-get" ] || fail "installed packages that were there: $(cat "$work/apt-get")"

# freeglut3-dev only for i386: it, and only it, is installed for amd64.
sed -i '/^freeglut3-dev amd64$/d' "$work/installed"
"$script" build >"$work/out" || fail "the install step failed: $(cat "$work/out")"
[ "$(grep install "$work/apt-get")" = "install -y -q --no-install-recommends freeglut3-dev" ] ||
  fail "asked apt-get for: $(cat "$work/apt-get")"
echo "ok: with i386 packages beside, the install step installs only what amd64 lacks (${#wanted[@]} wanted)"
