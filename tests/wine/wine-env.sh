#!/bin/bash
# Starts or stops the Wine test environment of one build tree:
#   wine-env.sh start STATE_DIR   prefix (made once), Xvfb, a persistent wineserver
#   wine-env.sh stop STATE_DIR    ends the wineserver and the Xvfb this script started
# Every Wine call has a time limit; Wine's output goes to files, never a pipe.
set -u
cmd=${1:?start or stop}
state=$(realpath -m "${2:?state dir}")
WINESERVER=/usr/lib/wine/wineserver
source "$(dirname "$0")/wine-session.sh"
mkdir -p "$state"

display_alive() {
    [ -s "$state/display" ] && [ -s "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

start_xvfb() {
    display_alive && return 0
    rm -f "$state/display" "$state/display.raw"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$state/display.raw" </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 1 100); do
        [ -s "$state/display.raw" ] && break
        sleep 0.1
    done
    [ -s "$state/display.raw" ] || { echo "Xvfb did not start" >&2; cat "$state/xvfb.log" >&2; return 1; }
    echo ":$(head -1 "$state/display.raw" | tr -d '[:space:]')" >"$state/display"
}

make_prefix() {
    [ -f "$WINEPREFIX/system.reg" ] && [ -f "$state/prefix.ready" ] && return 0
    rm -rf "$WINEPREFIX"
    timeout -k 10 180 "$WINE" wineboot -u >"$state/wineboot.log" 2>&1
    timeout -k 10 120 "$WINESERVER" -w
    # No window manager: without Managed=N Wine waits 2 s whenever a titled window hides.
    timeout -k 10 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$state/wineboot.log" 2>&1
    timeout -k 10 60 "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$state/wineboot.log" 2>&1
    timeout -k 10 120 "$WINESERVER" -w
    [ -f "$WINEPREFIX/system.reg" ] || { echo "wine prefix was not created" >&2; cat "$state/wineboot.log" >&2; return 1; }
    touch "$state/prefix.ready"
}

case "$cmd" in
start)
    start_xvfb || exit 1
    export DISPLAY=$(cat "$state/display")
    make_prefix || exit 1
    setsid timeout -k 10 3600 "$WINESERVER" -p </dev/null >/dev/null 2>&1 &
    echo "wine environment ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
    ;;
stop)
    [ -d "$WINEPREFIX" ] && timeout -k 5 30 "$WINESERVER" -k >/dev/null 2>&1
    if [ -s "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null
        rm -f "$state/xvfb.pid" "$state/display"
    fi
    echo "wine environment stopped"
    ;;
*) echo "usage: $0 start|stop STATE_DIR" >&2; exit 2 ;;
esac
