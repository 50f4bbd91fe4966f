#!/usr/bin/env bash
# The data-file tool as built, on the sample manifest: pack, list, verify, extract with local
# times, and a refused pack that leaves its output alone. Natively, or the Windows build under
# Wine, whose code page conversions, arguments and file times are its own.
#   datafile_tool_test.sh [--wine] TOOL
set -u
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
samples=$repo/tools/samples
wine=""
if [ "${1:-}" = "--wine" ]; then
  shift
  # shellcheck source=../../tools/wine-env.sh
  source "$repo/tools/wine-env.sh"
  wine_env_start || exit 125
  wine=$WINE
fi
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
export TZ=JST-9  # local time must matter: a fixed zone away from UTC
work=$(mktemp -d /tmp/dftool-e2e.XXXXXX)
trap 'rm -rf "$work"; [ -n "$wine" ] && wine_env_stop' EXIT
p() { if [ -n "$wine" ]; then printf 'Z:%s' "${1//\//\\}"; else printf %s "$1"; fi; }  # as the tool sees it
expect() {  # DESCRIPTION COMMAND...
  "${@:2}" || { echo "FAILED: $1"; failed=1; }
}
tool() { ${wine:+"$wine"} "$tool" "$@" </dev/null 2>"$work/err"; }
has() { grep -qF -- "$2" <<<"$1"; }

expect "pack the sample" tool pack "$(p "$samples/sample.manifest")" "$(p "$work/K.cab")" >/dev/null
list=$(tool list "$(p "$work/K.cab")")
expect "list: the header" has "$list" 'signature "KJ38", version "V1.0", 10 entries, 1671 bytes'
expect "list: a Japanese name in UTF-8" has "$list" "    0    0  20240401090000        672         82  はじめにお読みください.txt"
expect "verify: class 5's count" has "$(tool verify "$(p "$work/K.cab")")" \
  "class 5: passed, 6 to the destination folder, 1 to the system folder, 910 bytes"
for c in 5 1; do expect "extract class $c" tool extract "$(p "$work/K.cab")" "$(p "$work/x$c")" --class $c >/dev/null; done
expect "class 5: the Japanese name" cmp -s "$work/x5/dest/はじめにお読みください.txt" "$samples/files/readme.txt"
expect "class 5: the system entry without its prefix" cmp -s "$work/x5/system/kvcomm.dll" "$samples/files/kvcomm.dll"
expect "class 5: seven files, the empty one too" [ "$(find "$work/x5" -type f | wc -l)" = 7 ]
expect "class 5: local time" [ "$(stat -c %Y "$work/x5/dest/Korventa.inf")" = "$(date -d "2024-03-10 08:30:00" +%s)" ]
expect "class 1: into a subfolder" cmp -s "$work/x1/system/drivers/kvusb2k.sys" "$samples/files/kvusb2k.sys"
# A missing source is an I/O error (3), and the old output stays (the manifest's refusals are the unit tests').
cp "$work/K.cab" "$work/keep.cab"
printf '0\t20240401090000\tok.txt\tnone.txt\n' >"$work/missing.manifest"
tool pack "$(p "$work/missing.manifest")" "$(p "$work/keep.cab")"
expect "a missing source is an I/O error" [ $? = 3 ]
expect "the old output is untouched" cmp -s "$work/K.cab" "$work/keep.cab"
exit ${failed:-0}
