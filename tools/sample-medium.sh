#!/usr/bin/env bash
# Builds the sample medium in DIR: setup.exe beside a KORVENTA.cab packed from tools/samples/, in which the
# sample program KORVENTA.exe and the driver setup stand-in are the real programs of the Windows build, so
# that a new user sees a whole installation, shortcuts and driver setup included.
#
# usage: sample-medium.sh DIR [TESTS_BUILD [NATIVE_BUILD]]
#   TESTS_BUILD    build folder with standins/ (default: build/win32-tests); setup.exe comes from
#                  build/win32, the product as it ships (KORVENTA_SETUP_EXE names another)
#   NATIVE_BUILD   build folder with the native datafile-tool (default: build/native)
# DIR receives setup.exe and KORVENTA.cab only when the data file has been packed and verified.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
samples=$root/tools/samples

fail() { echo "sample-medium: $*" >&2; exit 1; }

if [ $# -lt 1 ] || [ $# -gt 3 ]; then
  sed -n '2,9p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
  exit 2
fi
medium=$1
wintree=${2:-$root/build/win32-tests}
tool=${3:-$root/build/native}/datafile-tool

setup=${KORVENTA_SETUP_EXE:-$root/build/win32/setup.exe}
program=$wintree/standins/KORVENTA.exe
driver=$wintree/standins/KorventaDriver32setup.exe
for f in "$setup" "$program" "$driver"; do
  [ -f "$f" ] || fail "missing $f: build the Windows targets setup, korventa_sample and korventa_driver_standin"
done
[ -x "$tool" ] || fail "missing $tool: build the native target datafile-tool"

stage=$(mktemp -d "${TMPDIR:-/tmp}/sample-medium.XXXXXX")
trap 'rm -rf "$stage"' EXIT

# The sample manifest as it stands, with the two programs taken from the build and every other source
# made absolute (the staged manifest lives elsewhere).
awk -F'\t' -v OFS='\t' -v dir="$samples" -v program="$program" -v driver="$driver" '
  /^[[:space:]]*(#|$)/ { print; next }
  NF == 4 {
    if ($3 == "KORVENTA.exe") { $4 = program; found["program"] = 1 }
    else if ($3 == "KorventaDriver32setup.exe") { $4 = driver; found["driver"] = 1 }
    else if ($4 !~ /^\//) $4 = dir "/" $4
  }
  { print }
  END { if (!found["program"] || !found["driver"]) exit 3 }
' "$samples/sample.manifest" >"$stage/sample.manifest" \
  || fail "$samples/sample.manifest must list KORVENTA.exe and KorventaDriver32setup.exe"

"$tool" pack "$stage/sample.manifest" "$stage/KORVENTA.cab" >/dev/null || fail "packing the sample data file failed"
"$tool" verify "$stage/KORVENTA.cab" >/dev/null || fail "the packed data file does not verify"
cp "$setup" "$stage/setup.exe"

mkdir -p "$medium"
mv -f "$stage/setup.exe" "$stage/KORVENTA.cab" "$medium/"
echo "sample medium in $medium:"
"$tool" list "$medium/KORVENTA.cab"
