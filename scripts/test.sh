#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer and
# warnings as errors, and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZANU_SANITIZE=ON -DZANU_WERROR=ON >/dev/null
cmake --build build-test
cd build-test
ctest --output-on-failure -j2 --timeout 300
