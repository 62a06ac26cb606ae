# Sourced, with $state set to a build tree's Wine state folder (the one
# wine-env.sh starts): picks the Wine program and exports the prefix's
# settings. wine_display then exports that environment's virtual display.
WINE=/usr/lib/wine/wine64
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# QUELBRIN_WINE_ARCH=win32: the i686 programs, in a 32-bit prefix of their own
# (inside tests/wine/wine32-stage.sh).
if [ "${QUELBRIN_WINE_ARCH:-win64}" = win32 ]; then
    WINE=/usr/lib/wine/wine
    export WINEARCH=win32
fi

# Exports DISPLAY for the environment's Xvfb; false when it has none.
wine_display() {
    [ -s "$state/display" ] || return 1
    DISPLAY=$(cat "$state/display")
    export DISPLAY
}
