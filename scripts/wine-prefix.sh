#!/usr/bin/env bash
# Prepares the Wine prefix of a Windows build folder and starts its server:
#   wine-prefix.sh BUILD_FOLDER
# COM1..COM16 map to BUILD_FOLDER/ports/com1..com16 (an unmapped port would fall through
# to the machine's own /dev/ttyS*); Chinese dialog fonts map to an installed CJK font;
# windows close at once without a window manager.
set -euo pipefail
build=$1
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
mkdir -p "$build/ports"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$build/wineboot.log" 2>&1
fi

reg=$build/wine-settings.reg
{
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n'
    for n in $(seq 16); do
        printf '"COM%d"="%s/ports/com%d"\n' "$n" "$build" "$n"
    done
    printf '\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\n'
    printf '"SimSun"="AR PL UMing CN"\n'
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n'
} >"$reg"
wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1

# The port map is read when the server and its services start. The server's own output
# goes to a file: when a radio's pty closes it reports the hang-up many times over.
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p </dev/null >/dev/null 2>>"$build/wineserver.log"
# Started here, Wine's services do not inherit (and hold open) a test's output pipe.
wine cmd /c exit </dev/null >/dev/null 2>&1
