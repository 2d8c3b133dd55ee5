#!/usr/bin/env bash
# Installs what is missing, builds, and starts zanu-config on the simulated transmitter.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZANU_TESTS=OFF >/dev/null
cmake --build build
# The settings file lives beside the program; give a first start a port so no dialog interrupts.
[ -f build/zanu.ini ] || printf '"1"\r\n' > build/zanu.ini
exec build/zanu-config --simulate "$@"
