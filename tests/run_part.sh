#!/usr/bin/env bash
# run_part.sh PART PARTS TEST [ARGS...]: runs every PARTS-th row of the QtTest executable TEST,
# starting at row PART (from 0), so that one long executable can run as several ctest entries
# side by side. The executable lists its own rows, so that a new one is never left out.
# PART "all" runs the PARTS parts at once in one entry, for rows that wait on the line and on
# timers, not on the CPU: they need not hold one of ctest's slots each. Each part's output is
# shown whole, in order; the entry fails if any part fails.
set -euo pipefail
part=$1 parts=$2 test=$3
shift 3
if [ "$part" = all ]; then
  out=$(mktemp -d)
  declare -A running=()
  trap 'kill "${running[@]}" 2>/dev/null; rm -rf "$out"; exit 143' TERM INT
  for ((p = 0; p < parts; p++)); do
    bash "$0" "$p" "$parts" "$test" "$@" >"$out/$p" 2>&1 &
    running[$p]=$!
  done
  status=0
  for ((p = 0; p < parts; p++)); do
    wait "${running[$p]}" || status=1
    unset "running[$p]"
    cat "$out/$p"
  done
  rm -rf "$out"
  exit $status
fi
rows=()
# "-datatags" prints "Class function [tag]"; a tag may hold spaces and colons, QtTest takes
# "function:tag" up to the first colon.
while IFS= read -r line; do
  rest=${line#* }
  function=${rest%% *}
  if [ "$rest" = "$function" ]; then rows+=("$function"); else rows+=("$function:${rest#* }"); fi
done < <("$test" -datatags)
mine=()
for i in "${!rows[@]}"; do
  if [ $((i % parts)) -eq "$part" ]; then mine+=("${rows[$i]}"); fi
done
[ ${#mine[@]} -gt 0 ] || { echo "run_part: no rows for part $part of $parts" >&2; exit 1; }
exec "$test" "$@" "${mine[@]}"
