#!/usr/bin/env bash
# Cross-builds the Qt-free core for 64-bit Windows with mingw-w64 and runs its tests
# under Wine: the portable unit tests, the registry store, the channel file's Windows
# backend, the Windows serial port against simulated radios on pseudo-terminals, and the
# dialogs built from the templates, on a virtual display.
# Wine gets a prefix of its own in the build folder; COM1..COM16 lead only to paths the
# tests own, never to a real port of this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64 fonts-wine fonts-arphic-uming \
    googletest

# The simulated radios run on the Linux side; artexport draws the pictures there.
host=build/windows-host
cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRADIOSETUP_TESTS=OFF \
    -DRADIOSETUP_BENCH=OFF >/dev/null
cmake --build "$host" --target radiosim artexport

build=build/windows
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Debug -DRADIOSETUP_HOST_RADIOSIM="$root/$host/tools/radiosim/radiosim" \
    -DRADIOSETUP_HOST_ARTEXPORT="$root/$host/tools/artexport/artexport"
cmake --build "$build" --parallel "$(nproc)"

# A virtual display of the run's own, for the dialogs.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export WINEPREFIX=$root/$build/wineprefix
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.05
done
export DISPLAY=":$display"

scripts/wine-prefix.sh "$root/$build"
# Wine's console processes are cheap once the server runs; most tests wait on the line.
ctest --test-dir "$build" --output-on-failure --parallel "$((2 * $(nproc)))"
