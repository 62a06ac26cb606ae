#!/bin/bash
# The screenshots of screenshot.sh at another DPI, the one Wine takes from
# HKCU\Control Panel\Desktop LogPixels when a program starts, saved into
# SHOT_DIR as main-window-144dpi.png and so on:
#   screenshot_at_dpi.sh DPI STATE_DIR QUELBRIN_EXE SUBSTITUTE_EXE DRIVER_EXE SHOT_DIR WORK_DIR
# The value is put back as it was at the end, so the prefix's other tests
# run at its own DPI (they share the desktop lock with this one).
set -u
dpi=${1:?dpi}; shift
state=$(realpath -m "${1:?state dir}")
source "$(dirname "$0")/../wine/wine-session.sh"
wine_display || { echo "no virtual display: run the wine_setup test first" >&2; exit 1; }
key='HKCU\Control Panel\Desktop'
# screenshot.sh empties its work folder: reg's output goes beside the prefix.
out="$state/logpixels"

reg() { timeout -k 5 60 "$WINE" reg "$@" >"$out.out" 2>"$out.err"; }

reg query "$key" /v LogPixels
before=$(sed -n 's/.*LogPixels *REG_DWORD *\(0x[0-9a-fA-F]*\).*/\1/p' "$out.out" | tr -d '\r')
restore() {
    if [ -n "$before" ]; then
        reg add "$key" /v LogPixels /t REG_DWORD /d $((before)) /f
    else
        reg delete "$key" /v LogPixels /f
    fi || echo "LogPixels could not be put back: $(cat "$out.err")" >&2
}
trap restore EXIT

reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f || { echo "LogPixels could not be set" >&2; exit 1; }
shots=$(realpath -m "${5:?screenshot dir}")
taken="$state/shots-${dpi}dpi"
rm -rf "$taken"
bash "$(dirname "$0")/screenshot.sh" "$1" "$2" "$3" "$4" "$taken" "$6"
rc=$?
mkdir -p "$shots"
for png in "$taken"/*.png; do
    [ -f "$png" ] || continue
    cp "$png" "$shots/$(basename "$png" .png)-${dpi}dpi.png" && echo "saved $shots/$(basename "$png" .png)-${dpi}dpi.png"
done
exit $rc
