#!/usr/bin/env bash
# Builds the Windows programs: statically linked, optimised radiosetup.exe and radioctl.exe
# (and the Windows screenshot tool) in build/windows-release/dist. Installs what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh g++-mingw-w64-x86-64-posix googletest

# The pictures of the resources are drawn on this machine, from the Linux program's art.
host=build/windows-host
cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRADIOSETUP_TESTS=OFF \
    -DRADIOSETUP_BENCH=OFF >/dev/null
cmake --build "$host" --target artexport

build=build/windows-release
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DRADIOSETUP_TESTS=OFF \
    -DRADIOSETUP_HOST_ARTEXPORT="$root/$host/tools/artexport/artexport"
cmake --build "$build" --parallel "$(nproc)" --target radiosetup screenshots-win32

dist=$build/dist
mkdir -p "$dist"
for program in app/radiosetup.exe cli/radioctl.exe tools/screenshots-win32/screenshots-win32.exe; do
    x86_64-w64-mingw32-strip -o "$dist/$(basename "$program")" "$build/$program"
done
echo "Windows programs in $dist:"
ls -l "$dist"
