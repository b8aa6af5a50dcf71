#!/usr/bin/env bash
# Builds the programs optimised, as they are packaged (Release, warnings as errors, Debian's
# hardening flags), into build/release, without tests or benchmarks: GCC warns about some
# code only at -O2. scripts/test.sh runs it after the tests, scripts/package.sh packages
# what it built.
set -euo pipefail
cd "$(dirname "$0")/.."

release=build/release
cmake -S . -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRADIOSETUP_SANITIZE=OFF \
    -DRADIOSETUP_WERROR=ON -DRADIOSETUP_TESTS=OFF -DRADIOSETUP_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro,-z,now"
cmake --build "$release" --parallel "$(nproc)"
