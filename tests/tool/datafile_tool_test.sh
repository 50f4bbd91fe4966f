#!/usr/bin/env bash
# End-to-end run of the data-file tool on the sample manifest: pack, list, verify, extract,
# damaged files, refused manifests and exit codes.
#
#   datafile_tool_test.sh TOOL               the native tool
#   datafile_tool_test.sh --wine TOOL.exe    the Windows tool under Wine (tools/wine-env.sh)
#
# Ends with "N passed, N failed"; exits 1 when anything failed.
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
wine_mode=0
if [ "${1:-}" = "--wine" ]; then
  wine_mode=1
  shift
fi
if [ $# -ne 1 ]; then
  echo "usage: $0 [--wine] TOOL" >&2
  exit 2
fi
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

# Local time must matter: a fixed zone without daylight saving, away from UTC.
export TZ=JST-9

if [ $wine_mode = 1 ]; then
  # shellcheck source=../../tools/wine-env.sh
  source "$repo/tools/wine-env.sh"
  wine_env_start || exit 125
  trap 'wine_env_stop' EXIT
fi

work=$(mktemp -d /tmp/dftool-e2e.XXXXXX)
trap 'rm -rf "$work"; [ $wine_mode = 1 ] && wine_env_stop' EXIT

# Paths as the tool sees them.
p() {
  if [ $wine_mode = 1 ]; then printf 'Z:%s' "$(printf %s "$1" | tr / '\\')"; else printf %s "$1"; fi
}
run() {  # run ARGS...: sets rc, out, err
  if [ $wine_mode = 1 ]; then
    "$WINE" "$tool" "$@" >"$work/out" 2>"$work/err" </dev/null
  else
    "$tool" "$@" >"$work/out" 2>"$work/err" </dev/null
  fi
  rc=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
}

passed=0
failed=0
check() {  # check DESCRIPTION CONDITION...
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what (rc=$rc)"
    [ -n "$err" ] && echo "  stderr: $err"
  fi
}
has() { grep -qF -- "$2" <<<"$1"; }

samples=$repo/tests/samples
cab=$work/KORVENTA.cab

run pack "$(p "$samples/sample.manifest")" "$(p "$cab")"
check "pack the sample" [ $rc = 0 ]
check "pack wrote a file" [ -s "$cab" ]
check "header starts with KJ38" [ "$(head -c 4 "$cab")" = KJ38 ]

run list "$(p "$cab")"
check "list exits 0" [ $rc = 0 ]
check "list shows the header" has "$out" 'signature "KJ38", version "V1.0", 10 entries'
check "list shows the Japanese name in UTF-8" has "$out" "    0    0  20240401090000        672         82  はじめにお読みください.txt"
check "list shows the 32-byte name whole" has "$out" "KORVENTA_dictionary_index_01.dat"
check "list shows the prefixed name as stored" has "$out" '%SYSTEM%\drivers\kvusb2k.sys'

run verify "$(p "$cab")"
check "verify passes every class" [ $rc = 0 ]
check "verify reports class 5" has "$out" "class 5: passed, 6 to the destination folder, 1 to the system folder, 910 bytes"

# Extraction: files, contents and local times.
mtime() { stat -c %Y "$1"; }
local_time() { date -d "$1" +%s; }
run extract "$(p "$cab")" "$(p "$work/x5")" --class 5
check "extract class 5" [ $rc = 0 ]
check "class 5: the readme" cmp -s "$work/x5/dest/はじめにお読みください.txt" "$samples/files/readme.txt"
check "class 5: the driver setup in the destination" cmp -s "$work/x5/dest/KorventaDriver32setup.exe" \
  "$samples/files/KorventaDriver32setup.exe.placeholder"
check "class 5: the inf in the destination" cmp -s "$work/x5/dest/Korventa.inf" "$samples/files/Korventa.inf"
check "class 5: the system entry without its prefix" cmp -s "$work/x5/system/kvcomm.dll" "$samples/files/kvcomm.dll"
empty_file() { [ -f "$1" ] && [ ! -s "$1" ]; }
check "class 5: the empty entry" empty_file "$work/x5/dest/empty.log"
check "class 5: seven files" [ "$(find "$work/x5" -type f | wc -l)" = 7 ]
check "class 5: readme time is local" [ "$(mtime "$work/x5/dest/KORVENTA.exe")" = "$(local_time "2024-04-01 09:00:00")" ]
check "class 5: inf time is local" [ "$(mtime "$work/x5/dest/Korventa.inf")" = "$(local_time "2024-03-10 08:30:00")" ]

run extract "$(p "$cab")" "$(p "$work/x3")" --class 3
check "extract class 3" [ $rc = 0 ]
check "class 3: driver setup goes to the system folder" [ -f "$work/x3/system/KorventaDriver32setup.exe" ]
check "class 3: nothing of type 3 in the destination" [ ! -e "$work/x3/dest/Korventa.inf" ]

run extract "$(p "$cab")" "$(p "$work/x1")" --class 1
check "extract class 1" [ $rc = 0 ]
check "class 1: driver under drivers" cmp -s "$work/x1/system/drivers/kvusb2k.sys" "$samples/files/kvusb2k.sys"
check "class 1: driver time is local" [ "$(mtime "$work/x1/system/drivers/kvusb2k.sys")" = "$(local_time "2001-06-01 10:00:00")" ]

# One changed byte in header, table, content and trailer: the CRC check fails and nothing
# is extracted (every byte is covered by the unit tests).
size=$(stat -c %s "$cab")
for at in 17 90 1300 $((size - 1)); do
  cp "$cab" "$work/bad.cab"
  byte=$(od -An -tu1 -j "$at" -N1 "$cab" | tr -d ' ')
  printf "$(printf '\\%03o' $(((byte + 1) % 256)))" | dd of="$work/bad.cab" bs=1 seek="$at" conv=notrunc status=none
  run verify "$(p "$work/bad.cab")" --class 5
  check "byte $at changed: verify fails" [ $rc = 1 ]
  check "byte $at changed: the CRC check fails" has "$out" "CRC check: FAILED"
  run extract "$(p "$work/bad.cab")" "$(p "$work/bad")" --class 5
  check "byte $at changed: extract refuses" [ $rc = 1 ]
  check "byte $at changed: nothing written" [ ! -e "$work/bad" ]
done

# A refused manifest leaves an existing output alone.
cp "$cab" "$work/keep.cab"
printf '0\t20240401090000\tok.txt\t%s\n0\t20240401090000\tcafé.txt\t%s\n' \
  "$samples/files/readme.txt" "$samples/files/readme.txt" >"$work/bad.manifest"
run pack "$(p "$work/bad.manifest")" "$(p "$work/keep.cab")"
check "a name outside code page 932 is refused" [ $rc = 1 ]
check "the refusal names the line and character" has "$err" 'line 2: name "café.txt" refused: code page 932 cannot hold the character "é" (U+00E9)'
check "the old output is untouched" cmp -s "$cab" "$work/keep.cab"

run extract "$(p "$cab")" "$(p "$work/u")"
check "extract without a class is a usage error" [ $rc = 2 ]
run frobnicate
check "an unknown command is a usage error" [ $rc = 2 ]
run list "$(p "$work/none.cab")"
check "a missing data file is an I/O error" [ $rc = 3 ]
run --help
check "help documents the zero fill" has "$out" "filled with zeros"

echo "$passed passed, $failed failed"
[ $failed = 0 ]
