#!/bin/bash
# Runs one Windows program under Wine for ctest:  wine-run.sh STATE_DIR PROGRAM [ARGS...]
# Wine's output goes to files (a pipe can hang), the call has a time limit,
# and a crash, which Wine reports with exit code 0, counts as a failure.
set -u
state=$(realpath -m "${1:?state dir}"); shift
exe=${1:?program}; shift
source "$(dirname "$0")/wine-session.sh"
wine_display
[ -d "$WINEPREFIX" ] || { echo "no wine prefix: run the wine_setup test first" >&2; exit 1; }
out=$(mktemp) err=$(mktemp)
timeout -k 10 "${QUELBRIN_WINE_TIMEOUT:-600}" "$WINE" "$exe" "$@" </dev/null >"$out" 2>"$err"
rc=$?
cat "$out"
cat "$err" >&2
if grep -qE '^(wine: Unhandled|Unhandled exception)' "$err"; then
    echo "wine-run: $exe crashed" >&2
    rc=1
fi
[ $rc -eq 124 ] && echo "wine-run: $exe timed out" >&2
rm -f "$out" "$err"
exit $rc
