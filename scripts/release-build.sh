#!/usr/bin/env bash
# Builds the programs optimised, as they are packaged (Release, warnings as errors, Debian's
# hardening flags), into build/release, without tests or benchmarks: GCC warns about some
# code only at -O2. Then checks that radioctl reads a large plan in little memory.
# scripts/test.sh runs it after the tests, scripts/package.sh packages what it built.
set -euo pipefail
cd "$(dirname "$0")/.."

release=build/release
cmake -S . -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRADIOSETUP_SANITIZE=OFF \
    -DRADIOSETUP_WERROR=ON -DRADIOSETUP_TESTS=OFF -DRADIOSETUP_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro,-z,now"
cmake --build "$release" --parallel "$(nproc)"

# A plan is read a piece at a time: 20 MB of bad rows are judged within 64 MB of memory.
plans=$(mktemp -d)
trap 'rm -rf "$plans"' EXIT
{ echo "channel,rx_mhz,tx_mhz"; head -c 20000000 <(yes "101,229.01,99"); } >"$plans/bad.csv"
status=0
(ulimit -v 65536 && "$release/cli/radioctl" plan convert "$plans/bad.csv" "$plans/ChanPara.txt") \
    >/dev/null 2>"$plans/faults" || status=$?
if [ "$status" -ne 1 ] || ! grep -q "and [0-9]* more" "$plans/faults"; then
    echo "radioctl did not judge a 20 MB plan within 64 MB (exit $status):" >&2
    head -c 2000 "$plans/faults" >&2
    exit 1
fi
