#!/usr/bin/env bash
# The loader check on the shipped programs, and on a program built to break every rule it
# enforces: each rule must be reported, or the check could pass a broken product unseen.
#   pe_check_test.sh SETUP.EXE DATAFILE-TOOL.EXE BROKEN.EXE
set -u
check=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools/pe-check" && pwd)/check_pe.py
passed=0 failed=0
expect() {  # DESCRIPTION COMMAND... ; the command must succeed
  if "${@:2}"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi
}
expect "setup.exe passes" python3 "$check" --known-dlls --manifest "$1"
expect "datafile-tool.exe passes" python3 "$check" "$2"
out=$(python3 "$check" --known-dlls --manifest "$3"); rc=$?
echo "$out"
expect "the broken program fails" test $rc -eq 1
for finding in 'header: OS version 6.1' 'header: subsystem version 6.1' \
    'kernel32.dll!GetTickCount64: Windows 2000 lacks it (first in 6.0)' \
    'kernel32.dll!AddVectoredExceptionHandler: Windows 2000 lacks it' \
    'comctl32.dll!SetWindowSubclass: Windows 2000 exports it as ordinal 410 only' \
    'comctl32.dll!SetWindowSubclass: comctl32.dll is no known DLL' \
    'manifest: it does not request administrator rights' 'manifest: it asks for common controls 6' \
    'manifest: it lists supported systems'; do
  expect "reported: $finding" grep -qiF -- "$finding" <<<"$out"
done
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
