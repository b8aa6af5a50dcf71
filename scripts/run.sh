#!/usr/bin/env bash
# Builds the programs and starts the window against a fresh simulated radio. The run works
# in build/run/demo, made afresh each time (settings, working folder, the radio's link and
# log), so the user's real settings and files are never touched; it stays after the window
# closes, for the README's radioctl examples. Arguments go to the simulated radio (e.g.
# --refuse 04). Without a display it grabs every window to PNG files on Qt's offscreen
# platform instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/run

build_programs() {
    scripts/install-deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRADIOSETUP_TESTS=OFF \
        -DRADIOSETUP_BENCH=OFF >/dev/null
    cmake --build "$build" --parallel "$(nproc)" --target radiosetup radioctl radiosim screenshots
}

grab_windows() {
    local shots=$build/screenshots
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): grabbing the windows,"
    echo "shown against a simulated radio on Qt's offscreen platform, into $shots"
    if [ $# -gt 0 ]; then
        echo "(the radio options '$*' apply only when the program runs on a display)"
    fi
    QT_QPA_PLATFORM=offscreen "$build/tools/screenshots/screenshots" "$shots"
}

# A fresh folder whose settings give port 1 at 9600 bps without parity, which is where the
# simulated radio listens.
prepare_demo() {
    rm -rf "$demo"
    mkdir -p "$demo/config/Sorvane"
    cat >"$demo/config/Sorvane/Com.conf" <<EOF
[Version3.0/SystemParam]
Pc Com Port=1
Pc Com Band=9600
Pc Com Parity=0

[Ports]
COM1=$demo/radio
EOF
}

start_radio() {
    "$build/tools/radiosim/radiosim" --link "$demo/radio" "$@" >"$radio_log" 2>&1 &
    radio_pid=$!
    for _ in $(seq 50); do
        [ -L "$demo/radio" ] && return 0
        kill -0 "$radio_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "The simulated radio did not come up; its log:" >&2
    cat "$radio_log" >&2
    return 1
}

stop_radio() {
    if [ -n "$radio_pid" ]; then
        kill -TERM "$radio_pid" 2>/dev/null || true
        wait "$radio_pid" 2>/dev/null || true
    fi
    echo "The run's folder stays for the README's radioctl examples: $demo"
}

build_programs
demo=$build/demo
prepare_demo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    grab_windows "$@"
    echo "The settings and working folder for the README's radioctl examples: $demo"
    exit
fi

radio_log=$demo/radiosim.log
radio_pid=
trap stop_radio EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

start_radio "$@"
echo "Simulated radio on port 1 ($demo/radio); its log: $radio_log"
echo "Settings: $demo/config/Sorvane/Com.conf; working folder: $demo"
cd "$demo"
XDG_CONFIG_HOME=$demo/config "$build/app/radiosetup"
