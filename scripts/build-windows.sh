#!/usr/bin/env bash
# Builds the Windows programs: statically linked, optimised radiosetup.exe and radioctl.exe
# (and the Windows screenshot tool) in build/windows-release/dist, with the installer and a
# zip of the same programs in build/windows-release; then installs it silently under Wine
# (a prefix of its own) to check that it leaves the programs in place. Installs what is
# missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh g++-mingw-w64-x86-64-posix googletest nsis zip wine wine64

# The pictures of the resources are drawn on this machine, from the Linux program's art.
host=build/windows-host
cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRADIOSETUP_TESTS=OFF \
    -DRADIOSETUP_BENCH=OFF >/dev/null
cmake --build "$host" --target artexport

build=build/windows-release
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DRADIOSETUP_TESTS=OFF \
    -DRADIOSETUP_HOST_ARTEXPORT="$root/$host/tools/artexport/artexport"
cmake --build "$build" --parallel "$(nproc)" --target radiosetup radioctl screenshots-win32

dist=$build/dist
mkdir -p "$dist"
for program in app/radiosetup.exe cli/radioctl.exe tools/screenshots-win32/screenshots-win32.exe; do
    x86_64-w64-mingw32-strip -o "$dist/$(basename "$program")" "$build/$program"
done

version=$(sed -n 's/^project(radiosetup VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
version=${version:-3.1.0}
installer=$build/radiosetup-$version-setup.exe
zipfile=$build/radiosetup-$version-windows.zip
makensis -V2 -DVERSION="$version" -DDIST="$root/$dist" -DOUTFILE="$root/$installer" \
    -DICON="$root/$build/resources/win32/art/app.ico" packaging/win32/radiosetup.nsi
rm -f "$zipfile"
(cd "$dist" && zip -q -9 "$root/$zipfile" radiosetup.exe radioctl.exe)

# The installer, silent, in a fresh prefix of its own.
export WINEPREFIX=$root/$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
trap 'wineserver -k 2>/dev/null || true' EXIT
rm -rf "$WINEPREFIX"
wine "$installer" /S >/dev/null 2>&1
wineserver -w
installed="$WINEPREFIX/drive_c/Program Files/Sorvane/RadioSetup"
for program in radiosetup.exe radioctl.exe; do
    if ! cmp -s "$installed/$program" "$dist/$program"; then
        echo "the silent install did not leave $program in $installed" >&2
        exit 1
    fi
done
[ -f "$installed/uninstall.exe" ] || { echo "no uninstaller in $installed" >&2; exit 1; }
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sorvane"
ls "$menu"/*.lnk >/dev/null 2>&1 || { echo "no Start-menu entry in $menu" >&2; exit 1; }

echo "Windows programs in $dist, installer and zip in $build:"
ls -l "$dist" "$installer" "$zipfile"
