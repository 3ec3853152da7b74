#!/usr/bin/env bash
# The guide quotes the code as it is: each ```cpp block of docs/how-it-moves.md and docs/how-it-moves.ru.md appears,
# its lines consecutive and verbatim, in one of the sources below. Prints each fault as FILE:LINE: WHAT.
# Usage: check_quotes.sh SOURCE_DIR
set -u && export LC_ALL=C.UTF-8
cd "$1" || exit 2
src=(src/flame/flame_state.cpp src/flame/flame_state.h src/app/flame_band.h src/app/main.cpp)
declare -A code && for file in "${src[@]}"; do code[$file]=$'\n'$(<"$file")$'\n'; done
faults=0 blocks=0
check() {  # LINE TEXT: the block of $doc opened at LINE; names its first line no source holds, else LINE
  local file at=$1 line
  for file in "${src[@]}"; do [[ ${code[$file]} == *$'\n'"$2"* ]] && return; done
  while IFS= read -r line; do at=$((at + 1)); grep -qxF -e "$line" "${src[@]}" || break; done <<<"${2%$'\n'}"
  grep -qxF -e "$line" "${src[@]}" && at=$1 && line="(its lines, but not one after another)"
  echo "$doc:$at: quotation not in ${src[*]}: $line" && faults=$((faults + 1))
}
for doc in docs/how-it-moves.md docs/how-it-moves.ru.md; do
  n=0 start=0 text=
  while IFS= read -r line; do
    n=$((n + 1))
    if [ "$start" = 0 ]; then [ "$line" != '```cpp' ] || start=$n text=; continue; fi
    if [ "$line" != '```' ]; then text+=$line$'\n' && continue; fi
    check "$start" "$text" && blocks=$((blocks + 1)) start=0
  done <"$doc"
  [ "$start" = 0 ] || { echo "$doc:$start: quotation not closed by \`\`\`" && faults=$((faults + 1)); }
done
[ "$blocks" -gt 0 ] || { echo "FAIL: no \`\`\`cpp block in the guide" >&2; exit 1; }
[ "$faults" = 0 ] || { echo "FAIL: $faults of $blocks quotations are not the code as it is" >&2; exit 1; }
echo "ok: $blocks quotations, each the code as it is"
