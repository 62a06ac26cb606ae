#!/bin/bash
# The benchmark: Quelbrin against the bare platform, under Wine, in one run.
#   bash bench/run.sh [RUNS [BATCH_RUNS]]
# Builds the shipped i686 Quelbrin.exe and the i686 programs measured against
# it (by the shipped program's compiler, with its options) and the i686 driver
# (build/bench-w32), prepares the folders of files, starts its own Xvfb and
# 32-bit Wine prefix, measures, and writes bench/results.md and bench/relist.png.
# Not part of the test run: nothing here is a pass or fail of the tests.
set -u
cd "$(dirname "$0")/.." || exit 1
root=$(pwd -P)
runs=${1:-7}
batch_runs=${2:-3}
build=$root/build/bench-w32
state=$build/wine
data=$build/bench-data
logs=$build/bench-logs
samples=$build/bench-samples.tsv
mkdir -p "$logs"

step() { echo "=== $*"; }

# Never pipe a step's output (Wine's background programs can hold a pipe open):
# the step writes to its log, which is shown if it fails.
quiet() {
    local log=$1; shift
    "$@" >"$log" 2>&1 || { echo "failed: $* (log: $log)" >&2; tail -n 30 "$log" >&2; exit 1; }
}

step "tools"
if [ -f scripts/setup.sh ]; then
    bash scripts/setup.sh || exit 1
else
    need=()
    for p in cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 wine64 xvfb imagemagick python3 googletest; do
        [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" = installed ] || need+=("$p")
    done
    if [ ${#need[@]} -gt 0 ]; then
        apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}" || exit 1
    fi
fi
command -v python3 >/dev/null || { echo "python3 is needed" >&2; exit 1; }
# ImageMagick draws the chart's SVG through rsvg-convert.
if ! command -v rsvg-convert >/dev/null; then
    apt-get update -q >"$logs/apt.log" 2>&1
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends librsvg2-bin >>"$logs/apt.log" 2>&1 ||
        { echo "librsvg2-bin could not be installed (log: $logs/apt.log)" >&2; exit 1; }
fi
convert_tool=/usr/bin/convert
[ -x "$convert_tool" ] || convert_tool=convert

# Every program measured is i686, run by the 32-bit Wine: it needs a kernel
# that starts 32-bit programs (tests/wine/wine32-stage.sh emulates them only
# for the tests, far too slowly to time anything).
bash tests/wine/wine32-stage.sh "$build" --native ||
    { echo "the 32-bit Wine does not start here: the benchmark measures the i686 program and needs it" >&2; exit 1; }
export QUELBRIN_WINE_ARCH=win32

step "build: i686 programs ($build)"
quiet "$logs/configure.log" cmake --preset win32 -B "$build" -DQUELBRIN_BENCH=ON
# Quelbrin.exe and its baselines come from the shipped program's build, by
# the win32 thread model's compiler; the driver and the substitute from this one.
quiet "$logs/build.log" cmake --build "$build" -j 2 --target bench_programs
programs=$build/bench-programs-all.txt
cat "$build/bench-programs.txt" "$(sed -n 's/^measured=//p' "$build/bench-programs.txt")" >"$programs" || exit 1

step "folders of files ($data)"
quiet "$logs/folders.log" python3 bench/make_folders.py "$data" "$programs"

winpath() { echo "Z:$(realpath -m "$1" | tr '/' '\\')"; }
program() { sed -n "s/^$1=//p" "$programs"; }

cleanup() { bash tests/wine/wine-env.sh stop "$state" >/dev/null 2>&1; }
trap cleanup EXIT
trap 'exit 130' INT TERM
step "wine environment ($state)"
quiet "$logs/wine-start.log" bash tests/wine/wine-env.sh start "$state"

# The wineserver of this prefix: while Quelbrin pumps events it does much of the work.
# wine-env.sh starts it in the background: give it a moment to appear.
wineserver_pid=0
for _ in $(seq 1 50); do
    for p in $(pgrep -f wineserver); do
        if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$state/prefix"; then wineserver_pid=$p; break; fi
    done
    [ "$wineserver_pid" -ne 0 ] && break
    sleep 0.2
done
[ "$wineserver_pid" -ne 0 ] || echo "the wineserver of $state was not found: its CPU time is not reported"

rm -f "$samples"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
started=$(date +%s)

step "measuring: $runs runs each, $batch_runs batches (progress below)"
: >"$samples"
QUELBRIN_WINE_TIMEOUT=3600 bash tests/wine/wine-run.sh "$state" "$(program driver)" \
    --data "$(winpath "$data")" --out "$(winpath "$samples")" \
    --runs "$runs" --batch-runs "$batch_runs" \
    --clock-ticks "$(getconf CLK_TCK)" --wineserver-pid "$wineserver_pid" >"$logs/driver.log" 2>&1 &
driver=$!
tail -n +1 -f --pid=$driver "$samples" 2>/dev/null
wait $driver
driver_rc=$?
[ $driver_rc -eq 0 ] || echo "the driver reported errors (exit $driver_rc): see $logs/driver.log"

step "measuring: one pause"
QUELBRIN_WINE_TIMEOUT=600 bash tests/wine/wine-run.sh "$state" "$(program pause)" \
    "$(winpath "$samples")" "$runs" >"$logs/pause.log" 2>&1 ||
    printf 'error.pause\tbench_pause failed (%s)\n' "$logs/pause.log" >>"$samples"
grep '^pause\.' "$samples"

step "measuring: Quelbrin's start-up steps, in-process"
for _ in $(seq 1 "$runs"); do
    QUELBRIN_WINE_TIMEOUT=120 bash tests/wine/wine-run.sh "$state" "$data/startup/bench_startup_parts.exe" \
        "$(winpath "$samples")" >>"$logs/startup-parts.log" 2>&1 ||
        printf 'error.startup_parts\tbench_startup_parts failed (%s)\n' "$logs/startup-parts.log" >>"$samples"
done
grep -c '^startup_parts\.load_ms' "$samples"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
elapsed=$(( $(date +%s) - started ))

step "size and imports of the i686 program"
exe32=$(program quelbrin)
if [ -f "$exe32" ]; then
    printf 'size.i686_bytes\t%s\n' "$(stat -c %s "$exe32")" >>"$samples"
    imports=$(i686-w64-mingw32-objdump -p "$exe32" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    printf 'size.imports\t%s\n' "$(echo $imports | sed 's/ /, /g')" >>"$samples"
    bash tests/check-imports.sh i686-w64-mingw32-objdump "$exe32" >"$logs/imports.log" 2>&1
    foreign=$(sed -n 's/^NOT A SYSTEM DLL: //p' "$logs/imports.log" | tr '\n' ' ')
    printf 'size.foreign_imports\t%s\n' "${foreign:-none}" >>"$samples"
    # Strings that only the C++ stream and locale library brings along.
    markers=$(strings "$exe32" | grep -o -E 'basic_ios::clear|ios_base::_M_grow_words|locale::facet::_S_create_c_locale|locale::_S_normalize_category|NSt6locale5facetE|St8ios_base' | sort -u | tr '\n' ' ')
    printf 'size.runtime_markers\t%s\n' "${markers:-none}" >>"$samples"
else
    printf 'error.size\tno i686 Quelbrin.exe was built\n' >>"$samples"
fi

step "report"
# The sources of the programs measured (the benchmark's own are in bench/);
# the results name the last commit that changed them.
measured="CMakeLists.txt cmake app platform main_window installer settings tests/substitute_installer"
timeout -k 5 30 /usr/lib/wine/wine --version >"$logs/wine-version.txt" 2>&1
# Each program's architecture, read from its PE header, and the compiler that built it.
arch_of() {
    case $(i686-w64-mingw32-objdump -f "$1" 2>/dev/null | sed -n 's/.*file format //p') in
    pei-i386) echo i686 ;; pei-x86-64) echo x86_64 ;; *) echo unknown ;;
    esac
}
compiler_of() { sed -n 's/^set(CMAKE_CXX_COMPILER \([^ )]*\)).*/\1/p' "$1" | head -1; }
shipped_cxx=$(compiler_of cmake/toolchain-mingw32-shipped.cmake)
tests_cxx=$(compiler_of cmake/toolchain-mingw32.cmake)
architectures=""
for name in quelbrin baseline_window baseline_window_manifest baseline_relist pause startup_parts driver substitute; do
    case $name in driver|substitute) cxx=$tests_cxx ;; *) cxx=$shipped_cxx ;; esac
    architectures+="${architectures:+, }$(basename "$(program $name)") $(arch_of "$(program $name)") ($cxx)"
done
header="Run of $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores shared with other work (load average $load_before before, $load_after after); \
$(head -1 "$logs/wine-version.txt") on Xvfb; programs run: $architectures; commit $(git log -1 --format=%h HEAD -- $measured)$(git diff --quiet HEAD -- $measured 2>/dev/null || echo ' with uncommitted changes to the measured programs'); \
$runs runs of each measurement, $batch_runs batches; measuring took $((elapsed / 60)) min $((elapsed % 60)) s. Command: \`bash bench/run.sh${*:+ $*}\`."
python3 bench/report.py --samples "$samples" --markdown bench/results.md --svg "$build/relist.svg" \
    --header "$header" --analysis bench/analysis.md || exit 1
"$convert_tool" -density 96 "$build/relist.svg" bench/relist.png || { echo "the chart could not be converted" >&2; exit 1; }
echo "written: bench/results.md, bench/relist.png (raw samples: $samples)"
