#!/bin/bash
# Builds Quelbrin and runs it under Wine in a demo folder:
#   bash scripts/run.sh
# The demo folder build/demo holds Quelbrin.exe, the substitute installer as
# InstallHFZ.exe (it closes its window after two Tab-Enter passes) and three
# sample packages. With a working display Quelbrin opens there and this script
# returns when you close it. Without one (a server, CI) it runs Quelbrin on a
# virtual display, prints the status lines, saves a screenshot and ends it.
set -u
cd "$(dirname "$0")/.." || exit 1
root=$(pwd)

bash scripts/setup.sh || { echo "setup failed" >&2; exit 1; }

# The win64 preset's build folder; QUELBRIN_BUILD_DIR picks another one.
build=${QUELBRIN_BUILD_DIR:-$root/build/win64}
state=$root/build/run
demo=$root/build/demo
WINE=/usr/lib/wine/wine64
mkdir -p "$state"

echo "Building (log: build/run/build.log)..."
{ cmake --preset win64 -B "$build" &&
    cmake --build "$build" -j 2 --target Quelbrin substitute_installer quelbrin_driver; } \
    >"$state/build.log" 2>&1 || { tail -30 "$state/build.log"; echo "the build failed" >&2; exit 1; }
[ -f "$build/programs.env" ] || { echo "the build did not say where its programs are" >&2; exit 1; }
# shellcheck disable=SC1091
. "$build/programs.env"

rm -rf "$demo"
mkdir -p "$demo"
cp "$QUELBRIN_EXE" "$demo/Quelbrin.exe"
cp "$SUBSTITUTE_EXE" "$demo/InstallHFZ.exe"
cat >"$demo/InstallHFZ.cfg" <<EOF
# The stand-in installer: its window closes after this many Tab-then-Enter passes.
passes=2
log=installer.log
EOF
for name in "Fire" "Ocean Waves" "Snow"; do
    printf 'Sample Hollywood FX package "%s" (demo data)\n' "$name" >"$demo/$name.hfz"
done
echo "Demo folder: $demo"

export WINEPREFIX="$state/wine/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ] && timeout 5 xdpyinfo >/dev/null 2>&1; then
    # Make the prefix once (on a virtual display), then use the real one.
    if [ ! -f "$state/wine/prefix.ready" ]; then
        echo "Creating the Wine prefix (once)..."
        user_display=$DISPLAY
        bash tests/wine/wine-env.sh start "$state/wine" >"$state/wine-env.log" 2>&1 ||
            { cat "$state/wine-env.log"; exit 1; }
        bash tests/wine/wine-env.sh stop "$state/wine" >>"$state/wine-env.log" 2>&1
        export DISPLAY=$user_display
    fi
    echo "Starting Quelbrin on $DISPLAY; close its window to end (Wine's output: build/run/quelbrin.log)"
    (cd "$demo" && timeout -k 10 12h "$WINE" "$demo/Quelbrin.exe" >"$state/quelbrin.log" 2>&1)
    rc=$?
    echo "Quelbrin ended."
    [ -s "$demo/installer.log" ] && echo "The stand-in installer's log: $demo/installer.log"
    exit $rc
fi

# No display: a virtual one, a screenshot, the status lines, then the end.
echo "No display: running Quelbrin on a virtual display"
bash tests/wine/wine-env.sh start "$state/wine" >"$state/wine-env.log" 2>&1 || { cat "$state/wine-env.log"; exit 1; }
DISPLAY=$(cat "$state/wine/display")
export DISPLAY
app_pid=
finish() {
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
    fi
    bash tests/wine/wine-env.sh stop "$state/wine" >>"$state/wine-env.log" 2>&1
}
trap finish EXIT

driver() {
    timeout -k 5 60 "$WINE" "$DRIVER_EXE" "$@" >"$state/driver.out" 2>"$state/driver.err"
    local rc=$?
    cat "$state/driver.out" "$state/driver.err"
    return $rc
}

driver pointer 1279 1023 >/dev/null
(cd "$demo" && exec timeout -k 10 600 "$WINE" "$demo/Quelbrin.exe" >"$state/quelbrin.log" 2>&1) &
app_pid=$!
if ! driver wait-main 60000; then
    echo "Quelbrin's window did not show (Wine's output: $state/quelbrin.log)" >&2
    exit 1
fi
sleep 0.5  # let Wine paint the window before the picture
shot=$state/quelbrin.png
driver rect Quelbrin >/dev/null && read -r x y w h < <(tr -d '\r' <"$state/driver.out") &&
    import -display "$DISPLAY" -window root "$shot" &&
    convert "$shot" -crop "${w}x${h}+$((x < 0 ? 0 : x))+$((y < 0 ? 0 : y))" +repage "$shot"
echo "Quelbrin's window:"
driver status >/dev/null
sed 's/^/    /' "$state/driver.out"
echo "Screenshot: $shot"

driver close Quelbrin >/dev/null
for _ in $(seq 1 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "Quelbrin did not end when asked; ending it"
    kill "$app_pid"
fi
wait "$app_pid" 2>/dev/null
app_pid=
echo "Quelbrin ended."
