#!/usr/bin/env bash
# Builds the program and starts it against a fresh simulated radio. The run gets a
# temporary folder of its own (settings, working folder, the radio's link and log), so
# the user's real settings and files are never touched. Closing the window stops the
# radio and removes the folder. Arguments go to the simulated radio (e.g. --refuse 04).
# Without a display it grabs every window to PNG files on Qt's offscreen platform.
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

# Port 1 at 9600 bps without parity, which is where the simulated radio listens.
write_settings() {
    mkdir -p "$run/config/Sorvane"
    cat >"$run/config/Sorvane/Com.conf" <<EOF
[Version3.0/SystemParam]
Pc Com Port=1
Pc Com Band=9600
Pc Com Parity=0

[Ports]
COM1=$run/radio
EOF
}

start_radio() {
    "$build/tools/radiosim/radiosim" --link "$run/radio" "$@" >"$radio_log" 2>&1 &
    radio_pid=$!
    for _ in $(seq 50); do
        [ -L "$run/radio" ] && return 0
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
    if [ -f "$radio_log" ]; then
        cp "$radio_log" "$build/radiosim.log"
        echo "The radio's log of this run: $build/radiosim.log"
    fi
    rm -rf "$run"
}

build_programs
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    grab_windows "$@"
    exit
fi

run=$(mktemp -d /tmp/radiosetup-run-XXXXXX)
radio_log=$run/radiosim.log
radio_pid=
trap stop_radio EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

write_settings
start_radio "$@"
echo "Simulated radio on port 1 ($run/radio); its log: $radio_log"
echo "Settings: $run/config/Sorvane/Com.conf; working folder: $run/work"
mkdir -p "$run/work"
cd "$run/work"
XDG_CONFIG_HOME=$run/config "$build/app/radiosetup"
