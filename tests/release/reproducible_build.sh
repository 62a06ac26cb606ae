#!/bin/bash
# Two clean builds of one commit, in two folders with different paths, give
# the same Quelbrin.exe and the same zip, byte for byte:
#   reproducible_build.sh SOURCE_DIR
# Each build is a clone of SOURCE_DIR's HEAD, plus the uncommitted changes to
# its files (so the check can be run before committing), built as anyone
# would: `cmake --preset win32`, then the package target (Quelbrin.exe and the
# zip). Nothing is set in the environment that a plain build would not have.
set -u
src=$(realpath "${1:?source dir}")
head=$(git -C "$src" rev-parse HEAD) || exit 1
unset SOURCE_DATE_EPOCH

work=$(mktemp -d "${TMPDIR:-/tmp}/quelbrin-reproducible.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
first=$work/a
second=$work/another/deeper/tree

build() {
    local tree=$1
    mkdir -p "$(dirname "$tree")"
    git clone -q --shared --no-checkout "$src" "$tree" && git -C "$tree" checkout -q --detach "$head" || return 1
    git -C "$src" diff --binary HEAD >"$tree.patch" && git -C "$tree" apply --allow-empty "$tree.patch" || return 1
    (cd "$tree" && cmake --preset win32 >"$tree.configure.log" 2>&1) ||
        { echo "configure failed in $tree:"; cat "$tree.configure.log"; return 1; }
    (cd "$tree" && cmake --build --preset win32 -j 2 --target package >"$tree.build.log" 2>&1) ||
        { echo "build failed in $tree:"; tail -40 "$tree.build.log"; return 1; }
}
build "$first" || exit 1
build "$second" || exit 1

version=$(sed -n 's/^project(Quelbrin VERSION \([0-9.]*\).*/\1/p' "$first/CMakeLists.txt")
status=0
for file in app/Quelbrin.exe "Quelbrin-$version-win32.zip" SHA256SUMS; do
    a=$first/build/win32/$file b=$second/build/win32/$file
    if [ ! -f "$a" ] || [ ! -f "$b" ]; then
        echo "FAIL: $file was not made by both builds"
        status=1
    elif cmp -s "$a" "$b"; then
        echo "same: $file $(sha256sum <"$a" | cut -d' ' -f1)"
    else
        echo "FAIL: $file differs between $first and $second: $(cmp "$a" "$b" 2>&1)"
        status=1
    fi
done
[ $status -eq 0 ] || exit 1

# What the zip holds, and that the checksums are the files'.
python3 - "$first/build/win32" "Quelbrin-$version-win32.zip" <<'CHECK' || exit 1
import hashlib, sys, zipfile
folder, name = sys.argv[1], sys.argv[2]
sha = lambda data: hashlib.sha256(data).hexdigest()
exe = open(f"{folder}/app/Quelbrin.exe", "rb").read()
packed = open(f"{folder}/{name}", "rb").read()
problems = []
with zipfile.ZipFile(f"{folder}/{name}") as z:
    names = z.namelist()
    if names != ["LICENSE.txt", "Quelbrin.exe", "README.txt", "SHA256SUMS"]:
        problems.append(f"entries {names}")
    else:
        if z.read("Quelbrin.exe") != exe:
            problems.append("its Quelbrin.exe is not the one built")
        if z.read("SHA256SUMS").decode() != f"{sha(exe)}  Quelbrin.exe\n":
            problems.append("its SHA256SUMS is not Quelbrin.exe's checksum")
        readme = z.read("README.txt").decode()
        if "certutil -hashfile Quelbrin.exe SHA256" not in readme or "For developers" in readme:
            problems.append("its README.txt is not the README's section for users")
        if "MIT License" not in z.read("LICENSE.txt").decode():
            problems.append("its LICENSE.txt is not the licence")
    for info in z.infolist():
        if info.date_time != z.infolist()[0].date_time or info.create_system != 0 or info.external_attr != 0x20 \
                or info.extra:
            problems.append(f"{info.filename} carries its own time, system or owner fields")
sums = open(f"{folder}/SHA256SUMS").read()
if sums != f"{sha(packed)}  {name}\n{sha(exe)}  Quelbrin.exe\n":
    problems.append("SHA256SUMS beside it does not name the zip's and Quelbrin.exe's checksums")
for problem in problems:
    print(f"FAIL: {name}: {problem}")
sys.exit(1 if problems else 0)
CHECK
echo "the zip holds Quelbrin.exe, README.txt, LICENSE.txt and SHA256SUMS, and both checksum files are right"
