#!/usr/bin/env bash
# Builds the Debian package build/release/sorvane-radiosetup_<version>_<arch>.deb and
# checks it: the optimised build of scripts/release-build.sh (which scripts/test.sh has
# made already), `cmake --install` into a scratch folder, the desktop entry, the AppStream
# metadata and the manual pages validated, then the package itself unpacked and checked,
# and lintian (which fails the run on errors).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/release
app_id=example.sorvane.RadioSetup
scratch=$(mktemp -d /tmp/radiosetup-package-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "package.sh: $*" >&2
    exit 1
}

# Runs a step quietly; its output is shown only when it fails.
quietly() {
    local log=$scratch/step.log
    if ! "$@" >"$log" 2>&1; then
        cat "$log" >&2
        fail "failed: $*"
    fi
}

man_pages=(radiosetup radioctl radiosim)

# Every file the installation must hold, under the prefix $1.
check_tree() {
    local prefix=$1 missing=0 path
    local expected=(
        bin/radiosetup bin/radioctl bin/radiosim
        "share/applications/$app_id.desktop"
        "share/metainfo/$app_id.metainfo.xml"
    )
    for size in 16 24 32 48 64 128 256; do
        expected+=("share/icons/hicolor/${size}x$size/apps/$app_id.png")
    done
    for page in "${man_pages[@]}"; do
        expected+=("share/man/man1/$page.1.gz")
    done
    for path in "${expected[@]}"; do
        if [ ! -s "$prefix/$path" ]; then
            echo "missing: $prefix/$path" >&2
            missing=1
        fi
    done
    [ "$missing" -eq 0 ] || fail "files missing under $prefix"
}

# The page as man shows it, with the warnings lintian asks for.
check_man_page() {
    local warnings
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$1: $warnings"
    [ -n "$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$1")" ] || fail "$1 renders nothing"
}

echo "Installing what packaging needs"
scripts/install-deps.sh dpkg-dev lintian desktop-file-utils appstream man-db groff fakeroot

echo "Building into $build"
quietly scripts/release-build.sh

echo "Checking cmake --install"
stage=$scratch/stage
quietly cmake --install "$build" --prefix "$stage/usr"
check_tree "$stage/usr"
quietly desktop-file-validate "$stage/usr/share/applications/$app_id.desktop"
quietly appstreamcli validate --no-net "$stage/usr/share/metainfo/$app_id.metainfo.xml"
for page in "${man_pages[@]}"; do
    check_man_page "$stage/usr/share/man/man1/$page.1.gz"
done

echo "Making the Debian package"
rm -f "$build"/*.deb
quietly cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build"
debs=("$build"/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "cpack made no single .deb"
fi
deb=${debs[0]}
quietly dpkg-deb -x "$deb" "$scratch/unpacked"
check_tree "$scratch/unpacked/usr"
package=$(dpkg-deb -f "$deb" Package)
[ -f "$scratch/unpacked/usr/share/doc/$package/copyright" ] || fail "no copyright file"

echo "Running lintian"
lintian --fail-on error "$deb" || fail "lintian found errors in $deb"

echo "Done: $deb"
