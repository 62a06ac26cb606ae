#!/bin/bash
# Fails if a program carries MinGW's POSIX threads library (winpthreads),
# which the -posix compilers' libstdc++ links in: about 31 KB of the shipped
# i686 program's size budget. Its assertion texts name its sources.
#   check-no-threads-library.sh PROGRAM
set -u
exe=${1:?program}
[ -s "$exe" ] || { echo "no program at $exe" >&2; exit 1; }
found=$(grep -a -o -m 3 'winpthreads/src/[a-z_]*\.c' "$exe" | sort -u)
if [ -n "$found" ]; then
    echo "$(basename "$exe") carries the POSIX threads library: $(echo $found)"
    exit 1
fi
echo "$(basename "$exe"): no POSIX threads library ($(stat -c %s "$exe") bytes)"
