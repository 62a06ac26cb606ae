#!/usr/bin/env python3
"""Writes RELIABILITY.md from the last test run.

    python3 scripts/reliability_report.py [--logs build/test-logs]
        [--load build/win32/reliability-load.txt] [--out RELIABILITY.md]

Reads ctest's JUnit files (<logs>/<preset>-junit.xml, written by
scripts/test.sh) and the figures of the load run, and rewrites the report.
Each test states the case it covers, what it asserts and any notes in its own
output, in lines marked "[reliability] AREA | CASE | ASSERTS" and
"[reliability-note] TEXT" (tests/support/reliability_case.h); the report
groups the tests by case and gives each its last result.
Prints one line: how many cases passed. Standard library only.
"""
import argparse
import os
import sys
import xml.etree.ElementTree as ET

# The preset whose end-to-end run is the report's: the shipped i686 program's
# where it ran every case, the x86_64 build's otherwise (set in main).
E2E = "win64"
LOAD_TEST = "ReliabilityLoad.ThreeHundredPackagesOnceEachInListOrderWithoutLeaks"
CASE_MARK = "[reliability] "
NOTE_MARK = "[reliability-note] "
# The presets whose tests state cases; asan runs the host tests again and
# gets a row of its own.
CASE_PRESETS = ("host", "fuzz", "win64", "win32")


def read_junit(path):
    """{test name: (status, seconds, output)} and the run's timestamp; empty when missing."""
    if not os.path.isfile(path):
        return {}, None
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError:
        return {}, None
    suites = [root] if root.tag == "testsuite" else root.findall("testsuite")
    tests, stamp = {}, None
    for suite in suites:
        stamp = stamp or suite.get("timestamp")
        for case in suite.findall("testcase"):
            status = case.get("status", "run")
            if case.find("failure") is not None or case.find("error") is not None:
                status = "fail"
            elif case.find("skipped") is not None and status == "run":
                status = "skipped"
            out = case.find("system-out")
            tests[case.get("name")] = (status, float(case.get("time") or 0), out.text or "" if out is not None else "")
    return tests, stamp


def stated(junit):
    """The cases and notes the tests stated: ({(area, case): {asserts, tests}}, [notes]), in order."""
    cases, notes = {}, []
    for preset in CASE_PRESETS:
        for name, (status, _, output) in junit.get(preset, {}).items():
            for line in output.splitlines():
                if line.startswith(CASE_MARK):
                    parts = [p.strip() for p in line[len(CASE_MARK):].split(" | ", 2)]
                    if len(parts) != 3:
                        continue
                    entry = cases.setdefault((parts[0], parts[1]), {"asserts": [], "tests": []})
                    if parts[2] not in entry["asserts"]:
                        entry["asserts"].append(parts[2])
                    if (preset, name, status) not in entry["tests"]:
                        entry["tests"].append((preset, name, status))
                elif line.startswith(NOTE_MARK):
                    note = line[len(NOTE_MARK):].strip()
                    if note and note not in notes:
                        notes.append(note)
    # Areas in the order they first came, each case under its area.
    areas = []
    for area, _ in cases:
        if area not in areas:
            areas.append(area)
    ordered = sorted(cases.items(), key=lambda item: areas.index(item[0][0]))
    return ordered, notes


def result_of(tests):
    failed = [f"{p}: {n}" for p, n, s in tests if s == "fail"]
    if failed:
        return "FAILED", failed
    skipped = [f"{p}: {n} ({s})" for p, n, s in tests if s != "run"]
    if skipped:
        return "not run", skipped
    return "passed", []


def read_figures(path):
    figures = {}
    if os.path.isfile(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                key, sep, value = line.strip().partition("=")
                if sep:
                    figures[key] = value
    return figures


def minutes(seconds):
    seconds = round(seconds)
    return f"{seconds // 60} min {seconds % 60} s"


def kib(value):
    try:
        return f"{int(value) / 1024:,.0f} KB"
    except ValueError:
        return value


def load_section(figures, load_result):
    lines = ["## Load run", ""]
    if load_result == "not run" or not figures:
        lines.append("No figures: the load run did not run in the last test run.")
        return lines
    f = figures.get
    lines += [
        f"Last result: **{load_result}**.",
        "",
        "| Figure | Value |",
        "|---|---|",
        f"| packages in the batch | {f('packages', '?')} |",
        f"| packages installed (from the installer's log) | {f('installed', '?')} |",
        f"| duration of the batch | {f('seconds', '?')} s ({f('seconds_per_package', '?')} s a package) |",
        f"| slowest answer to a poll during the batch | {f('slowest_answer_ms', '?')} ms |",
        f"| handles, GetProcessHandleCount, before / after | {f('handle_count_before', '?')} / "
        f"{f('handle_count_after', '?')} |",
        f"| handles, entries in the system's handle table, before / after | {f('handle_table_before', '?')} / "
        f"{f('handle_table_after', '?')} |",
        f"| private memory, PrivateUsage, before / after | {kib(f('private_usage_before', '?'))} / "
        f"{kib(f('private_usage_after', '?'))} |",
        f"| private memory, committed private regions, before / after | {kib(f('committed_private_before', '?'))} / "
        f"{kib(f('committed_private_after', '?'))} |",
        f"| working set, before / after | {kib(f('working_set_before', '?'))} / {kib(f('working_set_after', '?'))} |",
        f"| handles judged by | {f('handles_measured_by', '?')} |",
        f"| memory judged by | {f('memory_measured_by', '?')} |",
        "",
        "\"Before\" is taken after a first one-file batch (which makes what the first install creates "
        "once: the warning box, the install lock, the first process start) with the 300 files listed; "
        "\"after\" once the batch has ended.",
    ]
    if f("handle_count_before") == "0" and f("handle_count_after") == "0":
        lines += ["", "Wine 8 answers GetProcessHandleCount for another process with 0: the handle count is "
                  "taken from the entries of the system's handle table (NtQuerySystemInformation) that belong "
                  "to Quelbrin."]
    if f("private_usage_before") == "0" and f("private_usage_after") == "0":
        lines += ["", "Wine 8 reports PrivateUsage of another process as 0: private memory is taken as the sum "
                  "of Quelbrin's committed private regions (VirtualQueryEx), which is what PrivateUsage "
                  "counts on Windows."]
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--logs", default="build/test-logs")
    parser.add_argument("--load", default="build/win32/reliability-load.txt")
    parser.add_argument("--out", default="RELIABILITY.md")
    args = parser.parse_args()

    junit, stamps = {}, []
    for preset in ("host", "asan", "fuzz", "win64", "win32"):
        tests, stamp = read_junit(os.path.join(args.logs, f"{preset}-junit.xml"))
        junit[preset] = tests
        if stamp:
            stamps.append(stamp)

    global E2E
    E2E = "win32" if LOAD_TEST in junit["win32"] else "win64"
    cases, notes = stated(junit)
    rows = []
    for (area, case), entry in cases:
        result, names = result_of(entry["tests"])
        tests = "<br>".join(f"`{n}`" + ("" if p == E2E else f" ({p})") for p, n, _ in entry["tests"])
        rows.append((area, case, "; ".join(entry["asserts"]), tests, result, names))
    # The sanitizers' row: the host tests once more, under ASan and UBSan.
    asan = [("asan", n, s) for n, (s, _, _) in junit["asan"].items()]
    if asan:
        result, names = result_of(asan)
        rows.append(("Sanitizers", "unit tests under AddressSanitizer and UBSan",
                     f"all {len(asan)} unit tests of the portable logic pass with no sanitizer report",
                     "every test (asan)", result, names))

    counts = {k: sum(1 for r in rows if r[4] == k) for k in ("passed", "FAILED", "not run")}
    own = [(name, seconds) for _, entry in cases for p, name, _ in entry["tests"] if p in ("host", E2E)
           for seconds in [junit[p][name][1]]]
    own_seconds = sum(seconds for _, seconds in dict(own).items())
    load = junit[E2E].get(LOAD_TEST)

    out = [
        "# Reliability",
        "",
        "Hostile input and faults, each tested on the real program where it matters: the end-to-end cases start "
        "the real Quelbrin.exe under Wine with the substitute installer in InstallHFZ.exe's place and drive it "
        "from outside; the registry cases write Wine's real registry. This file is written by "
        "`scripts/reliability_report.py` at the end of `bash scripts/test.sh`, from that run's results: each "
        "test states its case, what it asserts and its notes in its own output, and the run gives the result.",
        "",
        f"Last run: {max(stamps) if stamps else 'none found'}. "
        f"{len(rows)} cases: {counts['passed']} passed, {counts['FAILED']} failed, {counts['not run']} not run. "
        f"The {len(dict(own))} tests that state them ran for {minutes(own_seconds)}"
        + (f", the load run {minutes(load[1])} of it." if load else "."),
        "",
        "| Area | Case | What the test asserts | Tests | Last result |",
        "|---|---|---|---|---|",
    ]
    for area, case, asserts, tests, result, names in rows:
        shown = result if result == "passed" else f"**{result}**"
        if result != "passed":
            shown += " (" + "; ".join(names) + ")"
        out.append(f"| {area} | {case} | {asserts} | {tests} | {shown} |")

    load_result = "not run" if not load else ("FAILED" if load[0] == "fail" else "passed" if load[0] == "run" else "not run")
    out += [""] + load_section(read_figures(args.load), load_result)
    out += ["", "## Notes", ""] + [f"- {note}" for note in notes] + [""]
    with open(args.out, "w", encoding="utf-8") as f:
        f.write("\n".join(out))
    print(f"Reliability: {counts['passed']} of {len(rows)} cases passed, {counts['FAILED']} failed, "
          f"{counts['not run']} not run ({args.out})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
