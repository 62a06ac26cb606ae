#!/usr/bin/env python3
"""Prepares the benchmark's folders:
    make_folders.py DATA_DIR PROGRAMS_FILE

PROGRAMS_FILE is the "name=path" list the build writes (bench-programs.txt).
Folders of files are made once and kept (a "<folder>.done" marker beside
them); the programs are copied afresh every time, since they may have been
rebuilt.
"""
import os
import random
import shutil
import sys

# Package names mix letter case, digits, blanks and the extension's case;
# the other files carry look-alike names the filter must drop.
WORDS = ["fire", "Water", "glow", "SPARK", "twist", "page", "Curl", "zoom", "ripple", "flash",
         "Star", "cube", "wipe", "fade", "Burst", "flip", "roll", "wave", "Slide", "smoke"]
PACKAGE_EXTS = [".hfz", ".hfz", ".hfz", ".HFZ", ".Hfz"]
OTHER_EXTS = [".txt", ".hfz.bak", ".hfzx", ".jpg", "_hfz", ".hf", ".ini", ".exe.hfz.old"]


def names(rng, count, exts, taken):
    out = []
    while len(out) < count:
        stem = "%s%s%s%d" % (rng.choice(WORDS), rng.choice(["", " ", "_", "-"]), rng.choice(WORDS),
                             rng.randrange(1000000))
        name = stem + rng.choice(exts)
        key = name.lower()  # Windows names are unique regardless of case
        if key in taken:
            continue
        taken.add(key)
        out.append(name)
    return out


def fill(folder, packages, others, seed):
    marker = folder + ".done"
    wanted = "%d %d %d\n" % (packages, others, seed)
    if os.path.isdir(folder) and os.path.exists(marker) and open(marker).read() == wanted:
        return
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    rng = random.Random(seed)
    taken = set()
    for name in names(rng, packages, PACKAGE_EXTS, taken) + names(rng, others, OTHER_EXTS, taken):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(b"HFZ")
    with open(marker, "w") as f:
        f.write(wanted)


def installer(folder, programs, settings):
    shutil.copyfile(programs["substitute"], os.path.join(folder, "InstallHFZ.exe"))
    with open(os.path.join(folder, "InstallHFZ.cfg"), "w", newline="\r\n") as f:
        f.write(settings)
    log = os.path.join(folder, "installer.log")
    if os.path.exists(log):
        os.remove(log)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    data, programs_file = sys.argv[1], sys.argv[2]
    programs = dict(line.strip().split("=", 1) for line in open(programs_file) if "=" in line)
    os.makedirs(data, exist_ok=True)
    path = lambda name: os.path.join(data, name)

    fill(path("startup"), 1000, 1000, 1)
    fill(path("empty"), 0, 20, 2)
    for n in (1000, 10000, 50000):
        fill(path("list%d" % n), n, n, 10 + n)
    fill(path("three"), 3, 3, 6)
    fill(path("batch"), 50, 50, 3)
    fill(path("start"), 1, 0, 4)
    fill(path("wait"), 1, 0, 5)

    # Closes on the first Tab-then-Enter; a stray one gives up after a minute.
    answering = "passes=1\ntimeout_ms=60000\n"
    for folder in ("startup", "start"):
        installer(path(folder), programs, answering)
    # A few packages spread over the batch need a second pass: the time from one key
    # send to the next is measured on them.
    batch = sorted(n for n in os.listdir(path("batch")) if n.lower().endswith(".hfz"))
    installer(path("batch"), programs, answering + "".join("passes@%s=2\n" % n for n in batch[5::10]))
    # Never closes: the waiting measurement ends it.
    installer(path("wait"), programs, "mode=ignorekeys\ntimeout_ms=600000\n")
    for folder in ("startup", "batch", "wait"):
        shutil.copyfile(programs["quelbrin"], os.path.join(path(folder), "Quelbrin.exe"))
    shutil.copyfile(programs["baseline_window"], os.path.join(path("startup"), "bench_baseline_window.exe"))
    shutil.copyfile(programs["baseline_window_manifest"], os.path.join(path("startup"), "bench_baseline_window_manifest.exe"))
    shutil.copyfile(programs["baseline_relist"], os.path.join(path("startup"), "bench_baseline_relist.exe"))
    shutil.copyfile(programs["startup_parts"], os.path.join(path("startup"), "bench_startup_parts.exe"))


if __name__ == "__main__":
    main()
