#!/usr/bin/env bash
# The data-file tool as built, on the sample manifest: pack, list, verify, extract with local
# times, and refused input. Natively, or the Windows build under Wine, whose code page
# conversions and file times are its own. The unit tests cover the rest.
#
#   datafile_tool_test.sh [--wine] TOOL
set -u

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_mode=0
if [ "${1:-}" = "--wine" ]; then wine_mode=1; shift; fi
if [ $# -ne 1 ]; then echo "usage: $0 [--wine] TOOL" >&2; exit 2; fi
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

# Local time must matter: a fixed zone without daylight saving, away from UTC.
export TZ=JST-9
if [ $wine_mode = 1 ]; then
  # shellcheck source=../../tools/wine-env.sh
  source "$repo/tools/wine-env.sh"
  wine_env_start || exit 125
fi
work=$(mktemp -d /tmp/dftool-e2e.XXXXXX)
trap 'rm -rf "$work"; [ $wine_mode = 1 ] && wine_env_stop' EXIT

p() {  # a path as the tool sees it
  if [ $wine_mode = 1 ]; then printf 'Z:%s' "$(printf %s "$1" | tr / '\\')"; else printf %s "$1"; fi
}
run() {  # run ARGS...: sets rc, out, err
  if [ $wine_mode = 1 ]; then set -- "$WINE" "$tool" "$@"; else set -- "$tool" "$@"; fi
  "$@" >"$work/out" 2>"$work/err" </dev/null
  rc=$? out=$(cat "$work/out") err=$(cat "$work/err")
}
passed=0 failed=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what (rc=$rc) $err"; fi
}
has() { grep -qF -- "$2" <<<"$1"; }
same() { cmp -s "$work/$1" "$samples/files/$2"; }
local_time_is() { [ "$(stat -c %Y "$work/$1")" = "$(date -d "$2" +%s)" ]; }

samples=$repo/tools/samples
cab=$work/KORVENTA.cab
run pack "$(p "$samples/sample.manifest")" "$(p "$cab")"
check "pack the sample" [ $rc = 0 ]
run list "$(p "$cab")"
check "list shows the header" has "$out" 'signature "KJ38", version "V1.0", 10 entries, 1671 bytes'
check "list shows a Japanese name in UTF-8" has "$out" "    0    0  20240401090000        672         82  はじめにお読みください.txt"
run verify "$(p "$cab")"
check "verify passes every class" [ $rc = 0 ]
check "verify counts class 5" has "$out" "class 5: passed, 6 to the destination folder, 1 to the system folder, 910 bytes"

for c in 5 1; do
  run extract "$(p "$cab")" "$(p "$work/x$c")" --class $c
  check "extract class $c" [ $rc = 0 ]
done
check "class 5: the Japanese name" same "x5/dest/はじめにお読みください.txt" readme.txt
check "class 5: type 3 to the destination" same x5/dest/Korventa.inf Korventa.inf
check "class 5: the system entry without its prefix" same x5/system/kvcomm.dll kvcomm.dll
check "class 5: seven files, the empty one too" [ "$(find "$work/x5" -type f | wc -l)" = 7 ]
check "class 5: local time" local_time_is x5/dest/Korventa.inf "2024-03-10 08:30:00"
check "class 1: into a subfolder" same x1/system/drivers/kvusb2k.sys kvusb2k.sys

# Refused input leaves an existing output alone (the manifest's refusals are the unit tests').
cp "$cab" "$work/keep.cab"
printf '0\t20240401090000\tok.txt\tnone.txt\n' >"$work/missing.manifest"
run pack "$(p "$work/missing.manifest")" "$(p "$work/keep.cab")"
check "a missing source is an I/O error" [ $rc = 3 ]
check "the old output is untouched" cmp -s "$cab" "$work/keep.cab"

echo "$passed passed, $failed failed"
[ $failed = 0 ]
