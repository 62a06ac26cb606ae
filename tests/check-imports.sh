#!/bin/bash
# Fails unless every DLL a Windows program imports is one of Windows' own
# that it never looks for beside the program: Known DLLs (always from
# System32), comctl32 (from the side-by-side store, through the manifest) and
# the API sets. Imports load before the program's first line runs, before it
# can restrict the DLL search; Quelbrin runs as administrator, and a
# uxtheme.dll or version.dll dropped beside it would run elevated.
#   check-imports.sh OBJDUMP PROGRAM [LATE_DLL...]
# A LATE_DLL (shell32.dll) is one the program loads itself, from System32,
# once it needs it: importing it fails the check as well.
set -u
# The case this check covers, as the reliability report reads it from the output.
echo "[reliability] Administrator | a DLL placed beside the program | loaded by its bare name before the start-up routine, refused (error 126) after it, while System32 DLLs still load; the import check rejects any import but Known DLLs and comctl32 (uxtheme, version)"
objdump=${1:?objdump}; exe=${2:?program}; shift 2
late=" $(echo "$*" | tr 'A-Z' 'a-z') "
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|shlwapi|comdlg32|msvcrt|ntdll|comctl32|api-ms-win-[a-z0-9-]+)\.dll$'
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[ -n "$dlls" ] || { echo "no imports found in $exe" >&2; exit 1; }
bad=0
for dll in $dlls; do
    if [[ "$late" == *" $dll "* ]]; then echo "IMPORTED, BUT TO BE LOADED ONLY WHEN NEEDED: $dll"; bad=1
    elif [[ "$dll" =~ $allowed ]]; then echo "ok: $dll"; else echo "NOT A SYSTEM DLL: $dll"; bad=1; fi
done
echo "$(basename "$exe"): $(stat -c %s "$exe") bytes"
exit $bad
