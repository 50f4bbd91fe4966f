#!/usr/bin/env bash
# The loader check on the shipped programs, and on a program built to break every rule it
# enforces: each rule must be reported, or the check could pass a broken product unseen.
#   pe_check_test.sh SETUP.EXE DATAFILE-TOOL.EXE BROKEN.EXE
set -u
check=$(dirname "${BASH_SOURCE[0]}")/../../tools/pe-check/check_pe.py
python3 "$check" --known-dlls --manifest "$1" && python3 "$check" "$2" || { echo "FAILED: a shipped program"; exit 1; }
out=$(python3 "$check" --known-dlls --manifest "$3")
[ $? -eq 1 ] || { echo "FAILED: the broken program passes"; exit 1; }
for finding in 'header: OS version 6.1' 'header: subsystem version 6.1' \
    'kernel32.dll!GetTickCount64: Windows 2000 lacks it (first in 6.0)' \
    'kernel32.dll!AddVectoredExceptionHandler: Windows 2000 lacks it' \
    'comctl32.dll!SetWindowSubclass: Windows 2000 exports it as ordinal 410 only' \
    'comctl32.dll!SetWindowSubclass: comctl32.dll is no known DLL' 'manifest: it lists supported systems' \
    'manifest: it does not request administrator rights' 'manifest: it asks for common controls 6'; do
  grep -qiF -- "$finding" <<<"$out" || { echo "FAILED: not reported: $finding"; failed=1; }
done
exit ${failed:-0}
