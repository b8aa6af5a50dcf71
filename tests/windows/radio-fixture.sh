#!/usr/bin/env bash
# Starts or stops the simulated radios of the Windows serial exchange tests on the Linux
# side: COM1's answers (and is COM12 as well), COM2's vanishes 60 bytes into its first
# reply. Each radio links its pseudo-terminal at the path Wine maps the port to and logs
# beside it (radio-com1.log). "restart" gives a port a fresh radio (with radiosim's
# OPTIONS) for one test and then creates radio-<port>.ready: COM1 by default, which leads
# COM12 back to COM1's radio; "restart ... COM12" gives COM12 a radio of its own.
#   radio-fixture.sh start|stop RADIOSIM PORTS_FOLDER
#   radio-fixture.sh restart RADIOSIM PORTS_FOLDER [COM1|COM12] [OPTIONS...]
set -euo pipefail
action=$1
radiosim=$2
ports=$3
shift 3

start_radio() {
    local name=$1
    shift
    rm -f "$ports/$name"
    # Detached with every stream redirected, so ctest does not wait on it.
    setsid "$radiosim" --link "$ports/$name" "$@" >"$ports/radio-$name.log" 2>&1 </dev/null &
    echo $! >"$ports/$name.pid"
    for _ in $(seq 100); do
        [ -L "$ports/$name" ] && return 0
        sleep 0.05
    done
    echo "the simulated radio for $name did not start:" >&2
    cat "$ports/radio-$name.log" >&2
    return 1
}

stop_radio() {
    local pidfile="$ports/$1.pid"
    [ -f "$pidfile" ] || return 0
    local pid
    pid=$(cat "$pidfile")
    kill "$pid" 2>/dev/null || true
    # It removes its link as it ends: wait, so that it cannot remove its successor's.
    while kill -0 "$pid" 2>/dev/null; do sleep 0.01; done
    rm -f "$pidfile"
}

start_com1() {
    start_radio com1 "$@"
    stop_radio com12
    ln -sfn "$(readlink "$ports/com1")" "$ports/com12"
}

case $action in
    start)
        mkdir -p "$ports"
        start_com1
        start_radio com2 --vanish-after 60
        ;;
    restart)
        port=com1
        case ${1:-} in
            COM1 | COM12)
                port=${1,,}
                shift
                ;;
        esac
        stop_radio "$port"
        if [ "$port" = com1 ]; then
            start_com1 "$@"
        else
            start_radio "$port" "$@"
        fi
        touch "$ports/radio-$port.ready"
        ;;
    stop)
        stop_radio com1
        stop_radio com2
        stop_radio com12
        rm -f "$ports/com12"
        ;;
    *)
        echo "usage: $0 start|stop|restart RADIOSIM PORTS_FOLDER [COM1|COM12] [OPTIONS...]" >&2
        exit 2
        ;;
esac
