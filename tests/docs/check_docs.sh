#!/usr/bin/env bash
# The docs say only what the tree holds: Markdown that mdl passes, links that resolve (linkchecker; #anchors here),
# `make TARGET`s the Makefile has, repository paths that exist, flames' version only in debian/changelog, and manual
# pages that groff and mandoc pass. Prints each fault as FILE:LINE: WHAT.   Usage: check_docs.sh SOURCE_DIR
set -u && export LC_ALL=C.UTF-8
cd "$1" || exit 2
tmp=$(mktemp -d) && chmod 755 "$tmp" && trap 'rm -rf "$tmp"' EXIT
shopt -s nullglob && md=(*.md docs/*.md) man=(data/*.1.in)
say() { tee -a "$tmp/faults"; }

# mdl's rules; lines up to 120 columns but in tables, lists numbered 1. 2. 3. and nested by two spaces.
mdl -s <(printf '%s\n' all 'rule "MD013", :line_length => 120, :tables => false' 'rule "MD029", :style => :ordered' \
  'rule "MD007", :indent => 2') "${md[@]}" 2>&1 | sed '/^$/,$d' | say

# As root, linkchecker reads as nobody: it reads a world-readable copy of the tree.
mkdir "$tmp/tree" && git ls-files -co --exclude-standard | tar -c --ignore-failed-read -T - | tar -x -C "$tmp/tree"
(cd "$tmp/tree" && echo '[MarkdownCheck]' >../rc && linkchecker -t 0 -r 1 -o csv --no-status -f ../rc "${md[@]}" \
  >../links 2>../log)
grep -v -e 'dropping privileges by changing user to nobody' -e 'Checking intern URLs only' "$tmp/log" | say
awk -F';' -v t="file://$tmp/tree/" '/^urlname;/ { for (i = 1; i <= NF; i++) c[$i] = i; next }
  c["valid"] && $c["valid"] == "False" { p = $c["parentname"]; r = $c["result"]; sub(t, "", p); sub(/.*\] /, "", r)
    sub(/: .*/, "", r); print p ":" $c["line"] ": broken link " $c["urlname"] ": " r }
  END { if (!c["valid"]) print "linkchecker: no column valid in its CSV output" }' "$tmp/links" | say
# An #anchor is the id GitHub gives a heading of the page linked to.
grep -noE '\]\([^):]*#[^)]*\)' "${md[@]}" | while IFS=: read -r file line link; do
  link=${link#](} link=${link%)} page=${link%%#*} && page=$(dirname "$file")/${page:-${file##*/}} page=${page#./}
  [ ! -f "$page" ] || sed -nE 's/^#+ +//p' "$page" | sed -E 's/.*/\L&/; s/[^[:alnum:] _-]//g; s/ /-/g' |
    grep -qxF "${link#*#}" || echo "$file:$line: broken link $link: no heading of $page has that id"
done | say

# The code in the docs (Markdown's code, roff's bold, italics and examples, plain text's indented lines): each make
# command's target (make first, or after sudo, &&, ;, # or VAR=value), each path whose first folder is a tracked one.
declare -A target top
for name in $(MAKEFLAGS='' make -pRrq | sed -nE 's/^([a-z][a-z0-9-]*):( .*)?$/\1/p'); do target[$name]=1; done
for name in $(git ls-files | sed 's|/.*||' | sort -u); do top[$name]=1; done
awk -v OFS=: '
  function scan(s,   w, n, i, j) {
    n = split(s, w, /[ \t]+/)
    for (i = 1; i <= n; i++) if (w[i] == "make") {
      for (j = i - 1; j && w[j] ~ /^[A-Z_]+=/; j--) ;
      if (j && w[j] != "" && w[j] !~ /^(sudo|&&|\|\||#|\$)$|;$/) continue
      for (j = i + 1; w[j] ~ /^(-|[A-Z_]+=)/; j++) ;
      sub(/[.,:;)]+$/, "", w[j]); if (w[j] ~ /^[a-z][a-z0-9-]*$/) print FILENAME, FNR, "make", w[j]
    }
    n = split(s, w, /[] \t"'\''`(),;:=<>[]+/)
    for (i = 1; i <= n; i++)
      { sub(/#.*|[.]+$/, "", w[i]); if (w[i] ~ /^[[:alnum:]_][^\/]*\//) print FILENAME, FNR, "path", w[i] }
  }
  FNR == 1 { block = code = 0; md = FILENAME ~ /[.]md$/; roff = FILENAME ~ /[.]1[.]in$/ }
  md && /^ *(```|~~~)/ { block = !block; next }
  roff && /^[.](EX|nf|EE|fi)/ { block = /^[.](EX|nf)/; next }
  roff { gsub(/\\-/, "-"); gsub(/\\&|\\ |"/, " ") }
  block || (!md && !roff && /^[ \t]/) { scan($0); next }
  md && /^$/ { code = 0; next }
  md { n = split($0, p, "`"); for (i = 1; i <= n; i++) if (!((i + code) % 2)) scan(p[i]); code = (code + n + 1) % 2 }
  roff && /^[.][BI][RI]? / { scan(substr($0, 4)) }
  roff { n = split($0, p, /\\f[BI]/); for (i = 2; i <= n; i++) { sub(/\\f.*/, "", p[i]); scan(p[i]) } }
' "${md[@]}" "${man[@]}" data/windows/README.txt.in | while IFS=: read -r file line kind what; do
  [ "$kind" = path ] || [ "${target[$what]:-}" ] || echo "$file:$line: make $what: the Makefile has no target $what"
  [ "$kind" = make ] || [ ! "${top[${what%%/*}]:-}" ] || compgen -G "${what%/}" >/dev/null ||
    git check-ignore -q "${what%/}/" || echo "$file:$line: $what: no such file or folder in the repository"
done | say

# The version has one home, the last entry of debian/changelog (read as CMakeLists.txt reads it).
version=$(sed -nE '/^flames [(]/{s/^flames [(]([0-9]+[.][0-9]+[.][0-9]+)[-)].*/\1/p;q}' debian/changelog)
[ "$version" ] || { echo "debian/changelog:1: no version in its last entry" >&2; exit 1; }
git grep --untracked -nIiE -e "(^|[^0-9.])${version//./[.]}([^0-9]|$)" -e 'flames[ _(-]+v?[0-9]+[.][0-9]+[.][0-9]+' \
  -- . ':!debian/changelog' ':!*package-lock.json' | sed -E 's/^([^:]*:[0-9]+):/\1: version of flames: /' | say

# The manual pages, filled in as CMake fills them.
for page in "${man[@]}"; do
  sed "s/@FLAMES_RELEASE_DATE@/2000-01-31/; s/@PROJECT_VERSION@/$version/; s/@[A-Z_]*@/x/g" "$page" >"$tmp/flames.1"
  { mandoc -T lint -W warning "$tmp/flames.1"; preconv -e UTF-8 "$tmp/flames.1" | groff -Tutf8 -man -ww -z; } 2>&1 |
    sed -E "s|^[a-z]+: *$tmp/flames.1:|$page:|" | say
done

[ ! -s "$tmp/faults" ] || { echo "FAIL: $(wc -l <"$tmp/faults") faults in the docs" >&2; exit 1; }
echo "ok: ${#md[@]} Markdown pages, ${#man[@]} manual pages"
