#!/usr/bin/env python3
"""Writes RELIABILITY.md from the last test run.

    python3 scripts/reliability_report.py [--logs build/test-logs]
        [--load build/win64/reliability-load.txt] [--out RELIABILITY.md]

Reads ctest's JUnit files (<logs>/<preset>-junit.xml, written by
scripts/test.sh) and the figures of the load run, and rewrites the report:
one row per reliability case with what it asserts and its last result.
Prints one line: how many cases passed. Standard library only.
"""
import argparse
import os
import sys
import xml.etree.ElementTree as ET

# (area, case, what the test asserts, [(preset, test name), ...])
# A name ending in "*" stands for every test whose name starts with the rest.
E2E = "win64"
LOAD_TEST = "ReliabilityLoad.ThreeHundredPackagesOnceEachInListOrderWithoutLeaks"
CASES = [
    ("Installer", "never shows its window and ends (after 1.5 s, or at once)",
     "each file counts as done only once its installer has ended: the next one starts after the exit; "
     "no keys are typed; \"Ready\"; Quelbrin answers every poll",
     [(E2E, "ReliabilityInstaller.InstallersThatShowNoWindowCountAsDoneOnlyOnceTheyHaveEnded")]),
    ("Installer", "shows its window only after 3 s",
     "one start, the late window is found and answered in the foreground, never two installers at once",
     [(E2E, "InstallSelected.WaitsForASlowWindowAndNeverRunsTwoInstallers")]),
    ("Installer", "ignores the keys until Cancel / Exit is pressed",
     "passes go on while Status2 reads \"Installing selected file...\"; Quelbrin ends within 10 s of Exit; "
     "the installer and its window stay",
     [(E2E, "InstallSelected.AnInstallerThatIgnoresKeysRunsOnAfterCancelExit")]),
    ("Installer", "crashes (access violation) at the first key, window up",
     "the file counts as done, the batch goes on with the next file, \"Ready\", no message box, "
     "Quelbrin alive and answering",
     [(E2E, "ReliabilityInstaller.AnInstallerThatCrashesWithItsWindowUpEndsItsFileAndTheBatchGoesOn")]),
    ("Installer", "needs 20 passes",
     "20 passes, 40 keys alternating Tab and Enter, every one in the foreground; \"Ready\"",
     [(E2E, "ReliabilityInstaller.AnInstallerThatNeedsTwentyPassesGetsThemAllInTheForeground")]),
    ("Installer", "closes its window, then shows a second one with the same title",
     "both windows are answered (4 passes), with and without activation; the next file starts only after "
     "the second window closed",
     [(E2E, "ReliabilityInstaller.AnInstallerThatReopensItsWindowIsAnsweredUntilTheSecondOneCloses"),
      ("host", "ReopeningInstaller.*")]),
    ("Installer", "another program takes the foreground when a pass is due",
     "files 1-2: Quelbrin wins the installer back and its keys land there; last file: no keys until the user "
     "brings the installer back; the other program gets no key at all",
     [(E2E, "ReliabilityInstaller.AnotherProgramInFrontNeverGetsTheKeys")]),
    ("Installer path", "empty (About dialog)",
     "\"Error: \" and the system's words for file not found; nothing started; controls enabled; Status1 kept",
     [(E2E, "ReliabilityInstaller.InstallerPathsThatNameNoProgramReportTheSystemsError")]),
    ("Installer path", "a folder",
     "\"Error: \" and Quelbrin's words naming the path (only .exe and .com programs are started); nothing started",
     [(E2E, "ReliabilityInstaller.InstallerPathsThatNameNoProgramReportTheSystemsError")]),
    ("Installer path", "a missing file",
     "\"Error: \" and the system's words for file not found; nothing started",
     [(E2E, "ReliabilityInstaller.InstallerPathsThatNameNoProgramReportTheSystemsError")]),
    ("Installer path", "a file that is not a program (.txt, and text named .exe)",
     ".txt: \"Error: \" and Quelbrin's words naming the path; text named .exe: \"Error: \" and the system's "
     "words for a bad executable format; nothing started",
     [(E2E, "ReliabilityInstaller.InstallerPathsThatNameNoProgramReportTheSystemsError")]),
    ("Installer path", "blanks only; a real installer in a path with blanks",
     "blanks: \"Error: \" and Quelbrin's words (only .exe and .com programs are started); the path with blanks "
     "is started quoted and installs",
     [(E2E, "ReliabilityInstaller.InstallerPathsThatNameNoProgramReportTheSystemsError")]),
    ("Installer path", "typed without \".exe\" (About dialog)",
     "the path plus \".exe\" is started, its command line keeps the path as typed (quoted when it has blanks); "
     "a path with an extension of another kind gets nothing added and is not started",
     [("host", "StartableInstaller.APathWithoutExtensionStartsThatPathPlusExe"),
      (E2E, "ReliabilityInstaller.InstallerPathsThatNameNoProgramReportTheSystemsError")]),
    ("Administrator", "installer path naming a batch file: .bat, .CMD, \"x.cmd \", \"x.bat.\" (also \"x.exe.\")",
     "\"Error: \" and Quelbrin's words naming the path (only .exe and .com programs are started); nothing "
     "started, the batch file never ran (cmd.exe would act on &, the pipe sign and % in package names, "
     "as administrator)",
     [("host", "StartableInstaller.OnlyExeAndComProgramsAreStarted"),
      (E2E, "ReliabilityInstaller.InstallerPathsThatNameNoProgramReportTheSystemsError")]),
    ("Administrator", "an installer command registered per user (HKCU\\Software\\Classes), alone or beside a "
     "machine-wide one",
     "only HKLM\\Software\\Classes counts: per user alone gives \"InstallHFZ.exe not found...\" and an empty path; "
     "with both, the machine-wide command is used (the fake's HKCR shows the per-user one, as Windows does)",
     [("host", "ResolveInstallerPath.OnlyTheMachineWideRegistrationCounts"),
      (E2E, "ReliabilityRegistry.APerUserRegistrationCountsAsNothing")]),
    ("Administrator", "a DLL placed beside the program",
     "loaded by its bare name before the start-up routine, refused (error 126) after it, while System32 DLLs "
     "still load; the import check rejects any import but Known DLLs and comctl32 (uxtheme, version)",
     [(E2E, "DllSearch.ADllBesideTheProgramLoadsBeforeTheRoutineAndNotAfterIt"),
      (E2E, "check_imports_rejects_other_dlls"), ("win32", "quelbrin_imports")]),
    ("Installer path", "no installer found at start-up",
     "the message box before the main window; install ends with \"Error: \" and a system error text",
     [(E2E, "MissingInstaller.WarnsBeforeTheWindowShowsAndInstallReportsTheError")]),
    ("Names", "blanks, &, %, %PATH%, ^, ', leading -, Cyrillic, CJK, emoji",
     "the list holds the exact names; each installer's command line and window title carry the exact name; "
     "one pass each",
     [(E2E, "ReliabilityNames.HostileFileNamesReachTheInstallerExactly")]),
    ("Names", "a 200-character name, the whole path beyond 260 characters",
     "listed and installed; exact command line and window title",
     [(E2E, "ReliabilityNames.ATwoHundredCharacterNameInAPathBeyondMaxPath")]),
    ("Folder text", "a trailing `\\`, `/` separators, the `\\\\?\\` prefix, 4,000 characters naming the folder",
     "each lists the real folder (3 files); the text stays as typed; a trailing `\\` gives `\\\\` in the "
     "command line and title",
     [(E2E, "ReliabilityFolders.OddFolderTextsListARealFolderOrSayInvalidPath")]),
    ("Folder text", "`\\\\server\\share` with no such server, `NUL`, `C:\\*`, empty, blanks, 4,000 characters "
     "naming nothing",
     "\"Invalid path\" within 10 s; Quelbrin answers a WM_GETTEXT within 2.5 s after each",
     [(E2E, "ReliabilityFolders.OddFolderTextsListARealFolderOrSayInvalidPath"),
      ("host", "EmptyFolderText.*")]),
    ("Folder text", "the folder vanishes between listing and install",
     "the installer is started for the listed file and answered; \"Ready\"; the next listing says "
     "\"Invalid path\" and then nothing is started",
     [(E2E, "ReliabilityFolders.AFolderThatVanishesAfterListingStillEndsTheCommand")]),
    ("Folder text", "40,000 .hfz files",
     "\"40000 .hfz files\", first and last names and one past 32,767 in place; Quelbrin answers",
     [(E2E, "ReliabilityFolders.FortyThousandPackagesAreListedAndCounted"),
      (E2E, "FileListTest.FortyThousandFilesAreCountedAndListed")]),
    ("Registry", "default value REG_BINARY, REG_MULTI_SZ, REG_NONE",
     "start-up shows \"InstallHFZ.exe not found...\" and leaves the path empty",
     [(E2E, "ReliabilityRegistry.ValuesThatAreNoTextMeanNothingIsRegistered"),
      (E2E, "RegistryReadString.OtherTypes")]),
    ("Registry", "default value REG_DWORD",
     "read as its decimal text and taken as the program's name, no message (see the notes)",
     [(E2E, "ReliabilityRegistry.ADwordValueIsTakenForAProgramName")]),
    ("Registry", "empty value, NUL first, key without a default value, no hfzfile class",
     "start-up shows the message and leaves the path empty",
     [(E2E, "ReliabilityRegistry.EmptyOrMissingValuesMeanNothingIsRegistered"),
      (E2E, "RegistryReadString.NothingToRead")]),
    ("Registry", "4 characters, not NUL-terminated, odd byte count, NUL inside, non-ANSI, REG_EXPAND_SZ",
     "start-up takes the program the text names (\"abcd\", \"x\" from \"x %1\", expanded variables)",
     [(E2E, "ReliabilityRegistry.TextValuesOfOddShapesGiveTheProgramTheyName"),
      (E2E, "RegistryReadString.TextValues")]),
    ("Registry", "10,000 characters",
     "the whole value is read; start-up takes the whole 9,995-character path",
     [(E2E, "ReliabilityRegistry.ATenThousandCharacterCommandGivesItsWholePath"),
      (E2E, "RegistryReadString.ATenThousandCharacterValueComesWhole")]),
    ("Sanitizers", "unit tests under AddressSanitizer and UBSan",
     "every unit test of the portable logic passes with no sanitizer report",
     [("asan", "*")]),
    ("Fuzzing", "installer contract", "libFuzzer on the committed seeds for a bounded time, no crash",
     [("fuzz", "fuzz_installer_contract")]),
    ("Fuzzing", "key notation", "libFuzzer on the committed seeds for a bounded time, no crash",
     [("fuzz", "fuzz_key_notation")]),
    ("Fuzzing", "registered command", "libFuzzer on the committed seeds for a bounded time, no crash",
     [("fuzz", "fuzz_program_from_command")]),
    ("Fuzzing", "registry value", "libFuzzer on the committed seeds for a bounded time, no crash",
     [("fuzz", "fuzz_registry_value")]),
    ("Load", "a batch of 300 packages, installer closes on the first pass",
     "300 installs, once each, in list order, one at a time; handles not more at the end than before; "
     "private memory grown by less than 4 KB a package (figures below)",
     [(E2E, LOAD_TEST)]),
]

# Tests written for this report, whose run time it adds up.
OWN_PREFIXES = ("Reliability", "EmptyFolderText.", "ReopeningInstaller.")


def read_junit(path):
    """{test name: (status, seconds)} and the run's timestamp; empty when missing."""
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
            tests[case.get("name")] = (status, float(case.get("time") or 0))
    return tests, stamp


def matches(runs, name):
    if name == "*":
        return list(runs)
    if name.endswith("*"):
        return [n for n in runs if n.startswith(name[:-1])]
    return [name] if name in runs else []


def case_result(tests, junit):
    """'passed', 'FAILED' or 'not run', and the names that decided it."""
    found, failed = [], []
    for preset, name in tests:
        runs = junit.get(preset, {})
        names = matches(runs, name)
        if not names:
            return "not run", [f"{preset}: {name}"]
        for n in names:
            status, _ = runs[n]
            found.append(n)
            if status == "fail":
                failed.append(f"{preset}: {n}")
            elif status != "run":
                return "not run", [f"{preset}: {n} ({status})"]
    if failed:
        return "FAILED", failed
    return "passed", found


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
    parser.add_argument("--load", default="build/win64/reliability-load.txt")
    parser.add_argument("--out", default="RELIABILITY.md")
    args = parser.parse_args()

    junit, stamps = {}, []
    for preset in ("host", "asan", "fuzz", "win64", "win32"):
        tests, stamp = read_junit(os.path.join(args.logs, f"{preset}-junit.xml"))
        junit[preset] = tests
        if stamp:
            stamps.append(stamp)

    results = [case_result(tests, junit) for *_, tests in CASES]
    counts = {k: sum(1 for r, _ in results if r == k) for k in ("passed", "FAILED", "not run")}
    own_seconds = sum(seconds for preset in ("host", "win64") for name, (_, seconds) in junit[preset].items()
                      if name.startswith(OWN_PREFIXES))
    own_tests = sum(1 for preset in ("host", "win64") for name in junit[preset] if name.startswith(OWN_PREFIXES))

    out = [
        "# Reliability",
        "",
        "Hostile input and faults, each tested on the real program where it matters: the end-to-end cases start "
        "the real Quelbrin.exe under Wine with the substitute installer in InstallHFZ.exe's place and drive it "
        "from outside; the registry cases write Wine's real registry. This file is written by "
        "`scripts/reliability_report.py` at the end of `bash scripts/test.sh`, from that run's results.",
        "",
        f"Last run: {max(stamps) if stamps else 'none found'}. "
        f"{len(CASES)} cases: {counts['passed']} passed, {counts['FAILED']} failed, {counts['not run']} not run. "
        f"The {own_tests} tests written for it ran for {minutes(own_seconds)}, "
        f"the load run {minutes(junit[E2E].get(LOAD_TEST, ('', 0))[1])} of it.",
        "",
        "| Area | Case | What the test asserts | Tests | Last result |",
        "|---|---|---|---|---|",
    ]
    for (area, case, asserts, tests), (result, names) in zip(CASES, results):
        test_names = "<br>".join(("every test" if name == "*" else f"`{name}`") + ("" if preset == E2E else f" ({preset})")
                                 for preset, name in tests)
        shown = result if result == "passed" else f"**{result}**"
        if result != "passed":
            shown += " (" + "; ".join(names) + ")"
        out.append(f"| {area} | {case} | {asserts} | {test_names} | {shown} |")

    load_result = results[-1][0]
    out += [""] + load_section(read_figures(args.load), load_result)
    out += [
        "",
        "## Notes",
        "",
        "- The end-to-end cases written for this file also check that Quelbrin answers while it works: each poll "
        "of its status line is a WM_GETTEXT round trip that must come back within 2.5 s.",
        "- An emptied folder box used to keep the previous folder's files listed with their count, and an install "
        "then went to `\\name`; it now says \"Invalid path\" (`EmptyFolderText.*`).",
        "- An installer that closed its window and showed it again a moment later, still running, used to count as "
        "done: the next installer started beside it and the batch could stall on the last file. Quelbrin now gives "
        "a running installer about a second to show its window again (`ReopeningInstaller.*`).",
        "- A REG_DWORD default value is read as its decimal text and used as the installer's name without a "
        "message; the first install then reports the system's \"file not found\".",
        "- A folder typed as the installer path gives Wine 8's words for ERROR_INVALID_HANDLE; Windows reports "
        "access denied there.",
        "- The program does not check that a listed file still exists: for a vanished folder the installer is "
        "started and reports on the package itself.",
        "- The fuzz targets run on the committed seed corpus for a bounded time each (QUELBRIN_FUZZ_SECONDS, "
        "30 s by default); new findings land in the build tree.",
        "",
    ]
    with open(args.out, "w", encoding="utf-8") as f:
        f.write("\n".join(out))
    print(f"Reliability: {counts['passed']} of {len(CASES)} cases passed, {counts['FAILED']} failed, "
          f"{counts['not run']} not run ({args.out})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
