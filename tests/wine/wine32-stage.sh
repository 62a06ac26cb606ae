#!/bin/bash
# Runs the win32 preset's tests, whose i686 programs need the 32-bit Wine:
#   wine32-stage.sh BUILD_DIR COMMAND [ARGS...]     e.g. BUILD_DIR=build/win32, COMMAND=ctest --preset win32
#
# The 32-bit Wine is a 32-bit Linux program. Where the kernel starts those
# itself, COMMAND just runs. Where it can't, QEMU's user-mode emulator is
# registered for them in a private user namespace (never for the whole
# machine: that would send every other Wine's 32-bit steps into it), and
# COMMAND runs in there, so Xvfb, the wineserver and every test program of
# the stage share it. The deadlines of the end-to-end tests are stretched
# for the emulator, and only a chosen set of them runs (the output names the
# others, BUILD_DIR/wine32-skipped counts them). Where neither works, COMMAND runs without the tests
# labelled wine32, one line says why, and BUILD_DIR/wine32-skipped holds how
# many were left out.
#
# QUELBRIN_WINE32_MODE=native|emulated forces a way (to try the other one).
#   wine32-stage.sh BUILD_DIR --native
# only says whether the stage would run natively, so every case runs (exit 0).
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath -m "${1:?build dir}"); shift
[ $# -gt 0 ] || { echo "usage: $0 BUILD_DIR COMMAND [ARGS...]" >&2; exit 2; }
QEMU=/usr/bin/qemu-i386-static
# The i386 entry that Debian does not ship on amd64: ELF class 32, machine 3.
I386_HANDLER=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$QEMU"':F'

# A 96-byte static i386 program that exits with 42: it ran, or it didn't.
probe_path() { echo "$build/wine32-probe"; }
write_probe() {
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80' >"$(probe_path)"
    chmod +x "$(probe_path)"
}
probe_runs() { timeout 20 "$(probe_path)" >/dev/null 2>&1; [ $? -eq 42 ]; }

# Inside the namespace: the handler, then the command.
if [ "${1:-}" = --inside-namespace ]; then
    shift
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc ||
        { echo "wine32-stage: no binfmt_misc of our own (Linux 6.7 or later is needed)" >&2; exit 97; }
    printf '%s' "$I386_HANDLER" >/proc/sys/fs/binfmt_misc/register ||
        { echo "wine32-stage: the i386 handler was not taken" >&2; exit 97; }
    probe_runs || { echo "wine32-stage: i386 programs do not start through $QEMU" >&2; exit 97; }
    exec "$@"
fi

mkdir -p "$build"
if [ "${1:-}" = --native ]; then
    write_probe
    [ -x /usr/lib/wine/wine ] || exit 1
    case ${QUELBRIN_WINE32_MODE:-} in
        native) exit 0 ;;
        emulated) exit 1 ;;
        *) probe_runs; exit ;;
    esac
fi
rm -f "$build/wine32-skipped"
write_probe
mode=${QUELBRIN_WINE32_MODE:-}
reason=""
if [ -z "$mode" ]; then
    if probe_runs; then mode=native; else mode=emulated; fi
fi
if [ ! -x /usr/lib/wine/wine ]; then
    reason="the 32-bit Wine (wine32:i386) is not installed; run scripts/setup.sh"
elif [ "$mode" = emulated ] && [ ! -x "$QEMU" ]; then
    reason="this kernel runs no 32-bit programs and $QEMU is missing; run scripts/setup.sh"
fi

started=$(date +%s)
rc=0
if [ -z "$reason" ] && [ "$mode" = native ]; then
    echo "i686 stage: 32-bit Wine started by the kernel"
    export QUELBRIN_E2E_TIME_SCALE=${QUELBRIN_E2E_TIME_SCALE:-2}
    "$@"
    rc=$?
elif [ -z "$reason" ]; then
    echo "i686 stage: 32-bit Wine under $QEMU, in a private user namespace"
    # About ten times slower than the kernel running it: the chosen set of
    # tests/e2e/CMakeLists.txt (i686_cases) runs, the cases labelled
    # wine32_native don't.
    # ctest lists the fixture that sets up their Wine with them; it still runs.
    left_out=$(cd "$build" && ctest -N -L wine32_native 2>/dev/null | sed -nE 's/^ *Test +#[0-9]+: //p' |
        grep -vE '^wine_(setup|cleanup)$')
    echo "$left_out" | grep -c . >"$build/wine32-skipped"
    echo "SKIPPED: $(cat "$build/wine32-skipped") i686 end-to-end cases, because the 32-bit Wine runs under an emulator here, about ten times slower; only the chosen set runs. Left out:"
    [ -n "$left_out" ] && echo "$left_out" | sed 's/^/    /'
    export QUELBRIN_E2E_TIME_SCALE=${QUELBRIN_E2E_TIME_SCALE:-6}
    unshare --user --map-root-user --mount --propagation private \
        bash "$here/wine32-stage.sh" "$build" --inside-namespace "$@" -LE wine32_native
    rc=$?
    if [ $rc -eq 97 ]; then
        reason="32-bit programs start neither natively nor through QEMU in a user namespace"
    elif [ $rc -ne 0 ] && ! unshare --user --map-root-user true 2>/dev/null; then
        reason="no private user namespace can be made here"
    fi
fi

if [ -n "$reason" ]; then
    # One line that says so; the rest of the preset still runs.
    # The test cases, not the fixture that would have set up their Wine.
    skipped=$(cd "$build" && ctest -N -L wine32 2>/dev/null | grep -E '^ *Test +#' |
        grep -cvE ': wine_(setup|cleanup)$')
    echo "${skipped:-0}" >"$build/wine32-skipped"
    echo "SKIPPED: ${skipped:-0} i686 end-to-end tests, because $reason"
    "$@" -LE wine32
    rc=$?
else
    echo "i686 stage: $(( $(date +%s) - started )) s"
fi
exit $rc
