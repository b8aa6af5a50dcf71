#!/usr/bin/env bash
# Installs what is missing, builds everything from nothing under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test. Then builds the programs once more,
# optimised as they are packaged (scripts/release-build.sh): GCC warns about some code
# only at -O2.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRADIOSETUP_SANITIZE=ON
cmake --build "$build" --parallel "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
# Some test programs still wait on pseudo-terminals, so run twice as many as there are cores.
ctest --test-dir "$build" --output-on-failure --parallel "$((2 * $(nproc)))"

scripts/release-build.sh
