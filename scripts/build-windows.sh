#!/usr/bin/env bash
# Builds the Windows programs: statically linked, optimised radiosetup.exe and radioctl.exe
# (and the Windows screenshot tool) in build/windows-release/dist, checks their file
# properties, and makes the installer and a zip of the programs with their readme in
# build/windows-release. Then installs it silently under Wine (a prefix of its own) with
# radioctl.exe on the PATH, checks what it left, uninstalls it and checks that nothing
# stays. Installs what is missing.
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

fail() {
    echo "build-windows.sh: $*" >&2
    exit 1
}

# The file properties and, for radioctl.exe, the icon and manifest, read back as a resource
# script.
product_nsh=$build/packaging/win32/product.nsh
version=$(sed -n 's/^!define VERSION "\(.*\)"$/\1/p' "$product_nsh")
for program in radiosetup radioctl; do
    resources=$(x86_64-w64-mingw32-windres -i "$dist/$program.exe" -O rc)
    for expected in "VALUE \"ProductVersion\", \"$version\"" "VALUE \"CompanyName\", \"Sorvane\"" \
        "VALUE \"OriginalFilename\", \"$program.exe\"" RT_GROUP_ICON RT_MANIFEST; do
        grep -qF "$expected" <<<"$resources" || fail "$program.exe lacks $expected"
    done
done

installer=$build/radiosetup-$version-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DPRODUCT_NSH="$root/$product_nsh" -DDIST="$root/$dist" \
    -DOUTFILE="$root/$installer" packaging/win32/radiosetup.nsi
# The zip holds one folder: the programs and their readme.
folder=radiosetup-$version-windows
zipfile=$build/$folder.zip
rm -rf "${build:?}/$folder" "$zipfile"
mkdir "$build/$folder"
cp "$dist/radiosetup.exe" "$dist/radioctl.exe" "$build/packaging/win32/README.txt" "$build/$folder"
(cd "$build" && zip -q -9 -r "$root/$zipfile" "$folder")

# The installer, silent and with radioctl.exe on the PATH, in a fresh prefix of its own.
# Wine's menu builder stays off: it would copy the Start-menu entry into the desktop's menu
# in the home folder of whoever builds.
export WINEPREFIX=$root/$build/wineprefix WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
trap 'wineserver -k 2>/dev/null || true' EXIT
rm -rf "$WINEPREFIX"
wine "$installer" /S /PATH >/dev/null 2>&1
wineserver -w
installed="$WINEPREFIX/drive_c/Program Files/Sorvane/RadioSetup"
for program in radiosetup.exe radioctl.exe; do
    cmp -s "$installed/$program" "$dist/$program" ||
        fail "the silent install did not leave $program in $installed"
done
[ -f "$installed/uninstall.exe" ] || fail "no uninstaller in $installed"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sorvane"
shortcut="$menu/Sorvane高速数传台设置软件.lnk"
[ -f "$shortcut" ] || fail "no Start-menu entry $shortcut"
strings -e l "$shortcut" | grep -qx '%USERPROFILE%' || fail "$shortcut does not start in %USERPROFILE%"

machine_path() {
    wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' \
        /v Path 2>/dev/null | tr -d '\r'
}
machine_path | grep -qF 'C:\Program Files\Sorvane\RadioSetup' || fail "radioctl.exe is not on the PATH"

wine "$installed/uninstall.exe" /S >/dev/null 2>&1
wineserver -w
[ ! -e "$installed" ] || fail "the uninstaller left $installed"
[ ! -e "$shortcut" ] || fail "the uninstaller left $shortcut"
if machine_path | grep -qF 'Sorvane'; then
    fail "the uninstaller left radioctl.exe on the PATH"
fi

echo "Windows programs in $dist, installer and zip in $build:"
ls -l "$dist" "$installer" "$zipfile"
