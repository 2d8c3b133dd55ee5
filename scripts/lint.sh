#!/usr/bin/env bash
# Checks that the sources keep the project's format (clang-format, the repo's .clang-format), that
# each library links exactly the layers it includes (scripts/check_layers.py), and that they pass
# the static checks that found real faults here (clang-tidy, the repo's .clang-tidy).
#
#   scripts/lint.sh [BUILD_DIR]      BUILD_DIR holds compile_commands.json (default build-test)
#
# clang-tidy reads the program sources (src/, sim/, tools/) that changed since ZANU_TIDY_BASE
# (default HEAD~1, what the last commit touched; "all" reads every one, a few minutes on two
# cores); ZANU_TIDY_FILES (a list of files) names them outright. Exit status 0 when clean, 1
# otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-test}
status=0

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}" 2>/tmp/zanu-format.$$; then
  sed -n '1,40p' /tmp/zanu-format.$$ >&2
  echo "lint.sh: files above are not clang-format clean; run: clang-format -i FILE" >&2
  status=1
fi
rm -f /tmp/zanu-format.$$

if ! python3 scripts/check_layers.py; then
  status=1
fi

if [ ! -f "$BUILD/compile_commands.json" ]; then
  echo "lint.sh: $BUILD/compile_commands.json is missing; configure the build first." >&2
  exit 1
fi
if [ -n "${ZANU_TIDY_FILES:-}" ]; then
  read -r -a tidy <<<"$ZANU_TIDY_FILES"
elif [ "${ZANU_TIDY_BASE:-HEAD~1}" = all ]; then
  mapfile -t tidy < <(git ls-files 'src/*.cpp' 'sim/*.cpp' 'tools/*.cpp')
else
  mapfile -t tidy < <(git diff --name-only --diff-filter=d "${ZANU_TIDY_BASE:-HEAD~1}" -- \
                        'src/*.cpp' 'sim/*.cpp' 'tools/*.cpp' 2>/dev/null || true)
fi
if [ ${#tidy[@]} -gt 0 ]; then
  if ! printf '%s\n' "${tidy[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p "$BUILD" --quiet \
      >/tmp/zanu-tidy.$$ 2>&1; then
    grep -E 'error:|warning:' -A3 /tmp/zanu-tidy.$$ | sed -n '1,60p' >&2
    echo "lint.sh: clang-tidy found the items above." >&2
    status=1
  fi
  rm -f /tmp/zanu-tidy.$$
fi
[ $status -eq 0 ] && echo "lint.sh: format and static checks clean."
exit $status
