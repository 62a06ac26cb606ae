#!/bin/bash
# Builds and runs every test of the project:
#   bash scripts/test.sh
# For each preset (host, asan, fuzz, win64, win32): configure, build, ctest. A
# failing preset does not stop the others; the exit code is non-zero if any failed.
# The win32 preset's tests run the shipped i686 program under the 32-bit Wine,
# through tests/wine/wine32-stage.sh; where that can't start, they are skipped
# and counted so. The last line adds up all presets:
# "Total: N passed, N failed, N skipped".
set -u
cd "$(dirname "$0")/.." || exit 1
root=$(pwd)

bash scripts/setup.sh || { echo "setup failed" >&2; exit 1; }

# The fuzz preset (clang, libFuzzer) runs where the project has one.
presets=(host asan win64 win32)
if cmake --list-presets=test 2>/dev/null | grep -q '"fuzz"'; then
    presets=(host asan fuzz win64 win32)
fi
logs=$root/build/test-logs
shots=$root/build/screenshots
mkdir -p "$logs"
started=$(date +%s)

# Never pipe a step's output: Wine's background programs may keep a pipe open
# for ever. The step writes to its log, which is shown while it grows.
run_logged() {
    local log=$1; shift
    : >"$log"
    "$@" >"$log" 2>&1 &
    local pid=$!
    tail -n +1 -f --pid=$pid "$log" 2>/dev/null
    wait $pid
}

# The Wine environments of the tests are stopped even when this script is interrupted.
cleanup() {
    bash tests/wine/wine-env.sh stop "$root/build/win64/wine" >/dev/null 2>&1
    QUELBRIN_WINE_ARCH=win32 bash tests/wine/wine-env.sh stop "$root/build/win32/wine" >/dev/null 2>&1
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Where the kernel starts the 32-bit Wine, every end-to-end case runs on the
# shipped i686 program (the win32 preset); the x86_64 build's run of them
# would only repeat it, and the win64 preset runs its Win32 layer's tests
# alone. Elsewhere the i686 stage runs a chosen set, and x86_64 all of them.
e2e_preset=win64
bash tests/wine/wine32-stage.sh "$root/build/win32" --native && e2e_preset=win32

declare -A passed failed skipped summary
total_passed=0 total_failed=0 total_skipped=0

for preset in "${presets[@]}"; do
    echo "=== $preset: configure"
    passed[$preset]=0 failed[$preset]=0 skipped[$preset]=0 summary[$preset]=""
    rm -f "$logs/$preset-junit.xml"
    if ! run_logged "$logs/$preset-configure.log" cmake --preset "$preset"; then
        summary[$preset]="configure failed (build/test-logs/$preset-configure.log)"
        failed[$preset]=1
    else
        echo "=== $preset: build"
        if ! run_logged "$logs/$preset-build.log" cmake --build --preset "$preset" -j 2; then
            summary[$preset]="build failed (build/test-logs/$preset-build.log)"
            failed[$preset]=1
        else
            echo "=== $preset: test"
            test_command=(ctest --preset "$preset" -j 2 --test-output-size-passed 65536 --output-junit "$logs/$preset-junit.xml")
            if [ "$preset" = win32 ]; then
                test_command=(bash tests/wine/wine32-stage.sh "$root/build/win32" "${test_command[@]}")
            fi
            [ "$preset" = win64 ] && [ "$e2e_preset" = win32 ] && test_command+=(-LE e2e)
            run_logged "$logs/$preset-ctest.log" "${test_command[@]}"
            rc=$?
            line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$preset-ctest.log" | tail -1)
            if [ -n "$line" ]; then
                n_failed=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
                n_total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
                # ctest counts a skipped test among the passed ones; it is neither.
                n_skipped=$(grep -cE '^[[:space:]]+[0-9]+ - .* \(Skipped\)$' "$logs/$preset-ctest.log")
                passed[$preset]=$((n_total - n_failed - n_skipped))
                failed[$preset]=$n_failed
                skipped[$preset]=$n_skipped
                summary[$preset]=$line
                [ "$n_skipped" -gt 0 ] && summary[$preset]="$line; $n_skipped skipped"
                [ "$preset" = win64 ] && [ "$e2e_preset" = win32 ] &&
                    summary[$preset]="${summary[$preset]}; the end-to-end cases ran on the i686 program (win32)"
                if [ "$preset" = win32 ]; then
                    stage=$(grep -E '^(i686 stage: [0-9]+ s|SKIPPED: )' "$logs/$preset-ctest.log" | tail -1)
                    [ -n "$stage" ] && summary[$preset]="$line; $stage"
                    [ -s "$root/build/win32/wine32-skipped" ] &&
                        skipped[$preset]=$((n_skipped + $(cat "$root/build/win32/wine32-skipped")))
                fi
                # ctest failed for a reason of its own (a crash, a timeout of ctest itself).
                if [ $rc -ne 0 ] && [ "$n_failed" -eq 0 ]; then
                    failed[$preset]=1
                    summary[$preset]="$line; ctest exited with $rc"
                fi
            elif grep -q 'No tests were found' "$logs/$preset-ctest.log"; then
                failed[$preset]=1
                summary[$preset]="no tests were found"
            else
                failed[$preset]=1
                summary[$preset]="ctest exited with $rc and printed no summary"
            fi
        fi
    fi
    total_passed=$((total_passed + passed[$preset]))
    total_failed=$((total_failed + failed[$preset]))
    total_skipped=$((total_skipped + skipped[$preset]))
done

# Screenshots the GUI tests saved.
rm -rf "$shots"
mkdir -p "$shots"
found_shots=()
for png in "$root/build/$e2e_preset"/screenshots/*.png; do
    [ -f "$png" ] || continue
    cp "$png" "$shots/"
    found_shots+=("$shots/$(basename "$png")")
done

# RELIABILITY.md from this run's results and the load run's figures.
rm -f "$logs/reliability.txt"
python3 scripts/reliability_report.py --logs "$logs" --load "$root/build/$e2e_preset/reliability-load.txt" \
    --out "$root/RELIABILITY.md" >"$logs/reliability.txt" 2>&1 || echo "reliability report failed" >>"$logs/reliability.txt"

elapsed=$(( $(date +%s) - started ))
echo
echo "=== Summary ($((elapsed / 60)) min $((elapsed % 60)) s)"
for preset in "${presets[@]}"; do
    echo "$preset: ${summary[$preset]}"
    if [ -f "$logs/$preset-ctest.log" ] && [ "${failed[$preset]}" -ne 0 ]; then
        sed -n '/The following tests FAILED:/,$p' "$logs/$preset-ctest.log" | grep -v '^Errors while running' | sed 's/^/    /'
    fi
    if [ -f "$logs/$preset-ctest.log" ] && [ "${skipped[$preset]}" -ne 0 ]; then
        grep -E '^[[:space:]]+[0-9]+ - .* \(Skipped\)$' "$logs/$preset-ctest.log" | sed 's/^[[:space:]]*/    skipped: /'
    fi
done
if [ ${#found_shots[@]} -gt 0 ]; then
    echo "Screenshots:"
    printf '    %s\n' "${found_shots[@]}"
else
    echo "Screenshots: none were saved"
fi
cat "$logs/reliability.txt"

# The benchmark's figures are of the commit its results name; say when the
# program's code has changed since (a line, not a failure).
bench_commit=$(sed -n 's/.* build of commit \([0-9a-f]\{7,\}\).*/\1/p' bench/results.md | head -1)
if [ -n "$bench_commit" ] && git rev-parse -q --verify "$bench_commit^{commit}" >/dev/null 2>&1; then
    changed=$(git diff --name-only "$bench_commit" HEAD -- app main_window installer settings platform CMakeLists.txt cmake | wc -l)
    [ "$changed" -gt 0 ] && echo "Benchmark: bench/results.md measured commit $bench_commit; the program's code has changed since ($changed files): run bash bench/run.sh to refresh it"
fi
echo "Logs: $logs"
echo "Total: $total_passed passed, $total_failed failed, $total_skipped skipped"
[ "$total_failed" -eq 0 ]
