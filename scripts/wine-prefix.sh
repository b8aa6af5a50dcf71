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
# No Mono or Gecko prompts; no menu builder, which writes into the builder's home folder.
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
mkdir -p "$build/ports"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$build/wineboot.log" 2>&1
fi

# Written as UTF-16 (a version 5 .reg file), so that the Chinese font name survives.
reg=$build/wine-settings.reg
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\r\n'
    for n in $(seq 16); do
        printf '"COM%d"="%s/ports/com%d"\r\n' "$n" "$build" "$n"
    done
    printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    printf '"SimSun"="AR PL UMing CN"\r\n"宋体"="AR PL UMing CN"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n'
} | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg"
wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
# The caption buttons are drawn with this font; without it they show as letters.
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

# The port map is read when the server and its services start. The server's own output
# goes to a file: when a radio's pty closes it reports the hang-up many times over.
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p </dev/null >/dev/null 2>>"$build/wineserver.log"
# Started here, Wine's services do not inherit (and hold open) a test's output pipe.
wine cmd /c exit </dev/null >/dev/null 2>&1
