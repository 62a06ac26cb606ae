#!/bin/bash
# Screenshots of the real Quelbrin on the Wine environment's virtual display:
#   screenshot.sh STATE_DIR QUELBRIN_EXE SUBSTITUTE_EXE DRIVER_EXE SHOT_DIR WORK_DIR
# Saves main-window.png after start-up, context-menu.png (the file list's
# menu, opened with a right click on the second file), about-dialog.png and
# batch.png (an installer window during "Install All Files"), marks-during.png
# and marks-after.png (a second batch's marks in the file list: installed,
# ended without a window, being installed; then failed and not reached once
# the installer has gone), checking the status lines on the way. Every Wine call has a time limit and writes to files, never a pipe.
set -u
state=$(realpath -m "${1:?state dir}")
quelbrin=${2:?Quelbrin.exe}
substitute=${3:?substitute installer}
driver_exe=${4:?quelbrin_driver.exe}
shots=$(realpath -m "${5:?screenshot dir}")
work=$(realpath -m "${6:?work dir}")

source "$(dirname "$0")/../wine/wine-session.sh"
wine_display || { echo "no virtual display: run the wine_setup test first" >&2; exit 1; }

app_pid=
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

finish() {
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
    fi
    if grep -qE '^(wine: Unhandled|Unhandled exception)' "$work"/*.err 2>/dev/null; then
        fail "a Windows program crashed:"
        cat "$work"/*.err >&2
    fi
    [ $failures -eq 0 ] && echo "screenshots: all checks passed" || echo "screenshots: $failures checks failed"
    exit $((failures > 0))
}
trap finish EXIT

# The driver tool, its output in files; prints what it printed.
driver() {
    timeout -k 5 90 "$WINE" "$driver_exe" "$@" >"$work/driver.out" 2>"$work/driver.err"
    local rc=$?
    cat "$work/driver.out"
    cat "$work/driver.err" >&2
    return $rc
}

# The line of the last driver output that starts with a label.
line_of() { sed -n "s/^$1: *//p" "$work/driver.out" | tr -d '\r'; }

# A picture of the screen cut to the given windows (other programs' windows
# on the same display stay out of it).
shoot() {
    local name=$1; shift
    local left=100000 top=100000 right=0 bottom=0 title x y w h
    for title in "$@"; do
        driver rect "$title" >/dev/null || { echo "no window \"$title\" to take" >&2; return 1; }
        read -r x y w h < <(tr -d '\r' <"$work/driver.out")
        [[ "$x $y $w $h" =~ ^-?[0-9]+\ -?[0-9]+\ [0-9]+\ [0-9]+$ ]] || { echo "bad window rectangle" >&2; return 1; }
        [ "$x" -lt 0 ] && { w=$((w + x)); x=0; }
        [ "$y" -lt 0 ] && { h=$((h + y)); y=0; }
        [ "$x" -lt "$left" ] && left=$x
        [ "$y" -lt "$top" ] && top=$y
        [ $((x + w)) -gt "$right" ] && right=$((x + w))
        [ $((y + h)) -gt "$bottom" ] && bottom=$((y + h))
    done
    # The windows are up; give Wine a moment to paint them before the picture.
    sleep 0.5
    import -display "$DISPLAY" -window root "$shots/$name.png" &&
        convert "$shots/$name.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$shots/$name.png" &&
        [ -s "$shots/$name.png" ] && echo "saved $shots/$name.png"
}

winpath() { local p="Z:$1"; printf '%s' "${p//\//\\}"; }

rm -rf "$work"
mkdir -p "$work/app" "$shots"
rm -f "$shots"/main-window.png "$shots"/context-menu.png "$shots"/about-dialog.png "$shots"/batch.png \
    "$shots"/marks-during.png "$shots"/marks-after.png
cp "$quelbrin" "$work/app/Quelbrin.exe"
cp "$substitute" "$work/app/InstallHFZ.exe"
# Fire's window stays up for a few passes, so the batch picture can catch it.
cat >"$work/app/InstallHFZ.cfg" <<EOF
log=installer.log
passes=1
passes@Fire.hfz=6
timeout_ms=60000
EOF
for name in "Fire" "Ocean Waves" "Snow"; do
    printf 'HFZ package %s\n' "$name" >"$work/app/$name.hfz"
done
app_folder=$(winpath "$work/app")

# The pointer rests in a corner, so that no tooltip covers the pictures.
driver pointer 1279 1023 || fail "the pointer could not be moved"
(cd "$work/app" && exec timeout -k 5 240 "$WINE" "$work/app/Quelbrin.exe" >"$work/quelbrin.out" 2>"$work/quelbrin.err") &
app_pid=$!

driver wait-main 30000 || { fail "the main window did not show"; exit; }
driver status
[ "$(line_of Folder)" = "$app_folder" ] || fail "folder box: expected $app_folder"
[ "$(line_of Status2)" = "3 .hfz files" ] || fail "Status2: expected \"3 .hfz files\""
[ "$(line_of Status1)" = "Fire.hfz" ] || fail "Status1: expected \"Fire.hfz\""
shoot main-window Quelbrin || fail "screenshot of the main window"

driver right-click-entry 1 || fail "the file list could not be right-clicked"
if driver wait-menu 10000; then
    driver status
    [ "$(line_of Status1)" = "Ocean Waves.hfz" ] || fail "Status1: expected \"Ocean Waves.hfz\" under the menu"
    shoot context-menu Quelbrin "#32768" || fail "screenshot of the context menu"
    driver key 27 || fail "Esc could not be pressed"   # closes the menu, no command
else
    fail "no context menu on the file list"
fi
driver pointer 1279 1023 || fail "the pointer could not be moved"

driver click 101 || fail "About... could not be pressed"
if driver wait-window "'bout 'n settings" 10000; then
    shoot about-dialog Quelbrin "'bout 'n settings" || fail "screenshot of the About dialog"
    driver close "'bout 'n settings"
    driver wait-gone "'bout 'n settings" 10000 || fail "the About dialog did not close"
else
    fail "the About dialog did not open"
fi

driver click 102 || fail "Install All Files could not be pressed"
driver answer-box Quelbrin 10000 || fail "no warning before the batch"
[ "$(tr -d '\r' <"$work/driver.out")" = "Do not close any of the installation windows!" ] ||
    fail "the warning reads \"$(cat "$work/driver.out")\""
if driver wait-window "Installing  $app_folder\\Fire.hfz" 20000; then
    shoot batch Quelbrin "Installing  $app_folder\\Fire.hfz" || fail "screenshot during the batch"
else
    fail "no installer window during the batch"
fi
driver wait-text 107 Ready 90000 || fail "the batch did not end with Ready"
driver status
[ "$(line_of Status1)" = "Snow.hfz installed" ] || fail "Status1: expected \"Snow.hfz installed\""
[ "$(grep -c ' cmdline ' "$work/app/installer.log" 2>/dev/null)" = 3 ] || fail "the installer did not run three times"

# A second batch for every kind of mark: Blizzard's installer shows no
# window, Comet's stays up while the installer is taken away, so Dune's
# cannot start and Eclipse is never reached.
mkdir -p "$work/marks"
for name in Aurora Blizzard Comet Dune Eclipse; do printf 'HFZ package %s\n' "$name" >"$work/marks/$name.hfz"; done
printf '%s\n' log=installer.log passes=1 mode@Blizzard.hfz=nowindow passes@Comet.hfz=8 timeout_ms=60000 \
    >"$work/app/InstallHFZ.cfg"
marks_folder=$(winpath "$work/marks")
driver set-text 105 "$marks_folder" || fail "the folder could not be typed"
driver wait-text 107 "5 .hfz files" 10000 || fail "Status2: expected \"5 .hfz files\""
driver click 102 || fail "Install All Files could not be pressed"
driver answer-box Quelbrin 10000 || fail "no warning before the second batch"
if driver wait-window "Installing  $marks_folder\\Comet.hfz" 40000; then
    shoot marks-during Quelbrin || fail "screenshot of the marks during the batch"
    mv "$work/app/InstallHFZ.exe" "$work/app/InstallHFZ.away"
else
    fail "Comet's installer window did not show"
fi
for _ in $(seq 1 300); do
    driver status >/dev/null
    [[ "$(line_of Status2)" == "Error: "* ]] && break
    sleep 0.1
done
[[ "$(line_of Status2)" == "Error: "* ]] || fail "Status2: expected an error once the installer had gone, read \"$(line_of Status2)\""
shoot marks-after Quelbrin || fail "screenshot of the marks after the batch"
[ -f "$work/app/InstallHFZ.away" ] && mv "$work/app/InstallHFZ.away" "$work/app/InstallHFZ.exe"

driver click 2 || fail "Cancel / Exit could not be pressed"
for _ in $(seq 1 150); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "Quelbrin did not end within 15 s of Cancel / Exit"
exit
