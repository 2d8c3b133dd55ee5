#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer and
# warnings as errors, checks format and static analysis (scripts/lint.sh), and runs every test
# through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# zanu-bench is built (not run) too, so that it cannot rot between benchmark runs.
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZANU_SANITIZE=ON -DZANU_WERROR=ON \
      -DZANU_BENCH=ON "${launcher[@]}" >/dev/null
cmake --build build-test
bash scripts/lint.sh build-test
cd build-test
# Most tests wait on timers, pseudo-terminals and processes, not on the CPU: four at a time
# keep two cores busy.
ctest --output-on-failure -j4 --timeout 300
