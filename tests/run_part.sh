#!/usr/bin/env bash
# run_part.sh PART PARTS TEST [ARGS...]: runs every PARTS-th row of the QtTest executable TEST,
# starting at row PART (from 0), so that one long executable can run as several ctest entries
# side by side. The executable lists its own rows, so that a new one is never left out.
set -euo pipefail
part=$1 parts=$2 test=$3
shift 3
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
