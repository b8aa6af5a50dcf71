#!/usr/bin/env bash
# Builds the simulated radio and starts it in this terminal: it prints the
# pseudo-terminal the PC side opens and every frame it receives. Ctrl+C ends it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRADIOSETUP_TESTS=OFF \
    -DRADIOSETUP_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target radiosim
exec "$build/tools/radiosim/radiosim" --link "${RADIOSIM_LINK:-/tmp/radiosim-com1}" "$@"
