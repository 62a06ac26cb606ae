#!/bin/bash
# Fails unless every DLL a Windows program imports is one of Windows' own.
#   check-imports.sh OBJDUMP PROGRAM
set -u
objdump=${1:?objdump}; exe=${2:?program}
allowed='^(kernel32|user32|gdi32|comctl32|shell32|advapi32|ole32|oleaut32|shlwapi|comdlg32|msvcrt|ntdll|uxtheme|version|api-ms-win-[a-z0-9-]+)\.dll$'
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[ -n "$dlls" ] || { echo "no imports found in $exe" >&2; exit 1; }
bad=0
for dll in $dlls; do
    if [[ "$dll" =~ $allowed ]]; then echo "ok: $dll"; else echo "NOT A SYSTEM DLL: $dll"; bad=1; fi
done
echo "$(basename "$exe"): $(stat -c %s "$exe") bytes"
exit $bad
