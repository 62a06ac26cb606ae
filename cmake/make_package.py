#!/usr/bin/env python3
"""Packs Quelbrin's download and its checksums.

    make_package.py --exe Quelbrin.exe --readme README.md --license LICENSE
                    --source-dir DIR --zip OUT.zip --sums SHA256SUMS

The zip holds Quelbrin.exe, README.txt (the README's section for users, between
its "README.txt begins/ends" comments), LICENSE.txt and SHA256SUMS. The
SHA256SUMS beside the zip names the zip and Quelbrin.exe; the one inside
cannot name the zip that holds it, so it names Quelbrin.exe alone.

The same inputs give the same zip bytes: entries sorted by name, every entry
dated SOURCE_DATE_EPOCH (or else the time of the source folder's last
commit, or else 1980-01-01), no owner or permission fields, text in CRLF
lines.
"""
import argparse
import hashlib
import os
import re
import subprocess
import sys
import time
import zipfile

USER_SECTION_BEGINS = "<!-- README.txt begins -->"
USER_SECTION_ENDS = "<!-- README.txt ends -->"
ZIP_EARLIEST = 315532800  # 1980-01-01, the first time a zip entry can carry
FILE_ATTRIBUTE_ARCHIVE = 0x20


def fail(message):
    print(f"make_package: {message}", file=sys.stderr)
    sys.exit(1)


def user_section(readme):
    """The README's section for users, as plain text for Notepad."""
    begin, end = readme.find(USER_SECTION_BEGINS), readme.find(USER_SECTION_ENDS)
    if begin < 0 or end < begin:
        fail(f'README.md has no "{USER_SECTION_BEGINS}" ... "{USER_SECTION_ENDS}" section')
    lines = []
    for line in readme[begin + len(USER_SECTION_BEGINS):end].strip("\n").split("\n"):
        if re.fullmatch(r"\s*!\[[^\]]*\]\([^)]*\)\s*", line):
            continue  # a picture: nothing to show in a text file
        lines.append(line.replace("`", ""))
    text = "\n".join(lines).strip("\n")
    text = re.sub(r"\n{3,}", "\n\n", text)
    return text + "\n"


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def source_date_epoch(source_dir):
    value = os.environ.get("SOURCE_DATE_EPOCH")
    if value is None:
        try:
            value = subprocess.run(["git", "-C", source_dir, "log", "-1", "--format=%ct"],
                                   check=True, capture_output=True, text=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            # Sources without their history: a fixed date still gives fixed bytes.
            print("make_package: no SOURCE_DATE_EPOCH and no git commit; the entries are dated 1980-01-01")
            return ZIP_EARLIEST
    if not value.isdigit():
        fail(f'SOURCE_DATE_EPOCH "{value}" is not a number of seconds')
    return max(int(value), ZIP_EARLIEST)


def sums_line(name, data):
    return f"{hashlib.sha256(data).hexdigest()}  {name}\n"


def write_zip(path, entries, epoch):
    stamp = time.gmtime(epoch)[:6]
    temporary = path + ".tmp"
    with zipfile.ZipFile(temporary, "w") as archive:
        for name in sorted(entries):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            # Made by "MS-DOS", a plain file: no Unix owner, group or mode
            # bits from this machine (0 would make zipfile put in 0600).
            info.create_system = 0
            info.external_attr = FILE_ATTRIBUTE_ARCHIVE
            archive.writestr(info, entries[name], compresslevel=9)
    os.replace(temporary, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    for option in ("exe", "readme", "license", "source-dir", "zip", "sums"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()

    with open(args.exe, "rb") as f:
        exe = f.read()
    with open(args.readme, encoding="utf-8") as f:
        readme = user_section(f.read())
    with open(args.license, encoding="utf-8") as f:
        license_text = f.read()

    exe_line = sums_line("Quelbrin.exe", exe)
    write_zip(args.zip, {
        "Quelbrin.exe": exe,
        "README.txt": crlf(readme),
        "LICENSE.txt": crlf(license_text),
        "SHA256SUMS": exe_line.encode("ascii"),
    }, source_date_epoch(args.source_dir))

    with open(args.zip, "rb") as f:
        zip_line = sums_line(os.path.basename(args.zip), f.read())
    with open(args.sums, "w", encoding="ascii", newline="\n") as f:
        f.write(zip_line + exe_line)
    print(f"{args.zip}\n{args.sums}")


if __name__ == "__main__":
    main()
